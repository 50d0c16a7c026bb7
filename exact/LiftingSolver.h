// LiftingSolver: the exact solution of an integer system A x = b by p-adic lifting (Dixon). A is
// factored once modulo a word prime p; each further p-adic digit of the solution then costs one
// solve with those factors and one product of A with the digits, n^2 operations each, and the
// fractions are rebuilt from the digits by rational reconstruction. Cramer's rule bounds every
// numerator and the common denominator by Hadamard's bound, and the digits are taken until p^k
// passes twice the product of those bounds, which makes the fractions found the only ones that
// fit: proven, whatever the matrix.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "exact/ModularLU.h"
#include "number/BigNumber.h"

class IntegerRows;
class LiftingResidual;

class LiftingSolver {
public:
    using Progress = std::function<void(double fractionDone)>;

    struct Solution {
        // x[i] = numerators[i] / denominators[i], not always in lowest terms.
        std::vector<bignumber::BigInteger> numerators;
        std::vector<bignumber::BigInteger> denominators;
        // The least common multiple of the denominators, which divides det A.
        bignumber::BigInteger commonDenominator;
    };

    // Factors the matrix modulo the primes of the sequence, from the first, until one leaves it
    // invertible, or until the primes that divide its determinant prove it zero. The progress
    // runs from 0 to 1 over this and the one solve that follows; numeratorBits is that solve's
    // bound, for the share of each part.
    LiftingSolver(const IntegerRows& matrix, double numeratorBits, Progress progress);
    ~LiftingSolver();
    LiftingSolver(const LiftingSolver&) = delete;
    LiftingSolver& operator=(const LiftingSolver&) = delete;

    bool singular() const { return factors == nullptr; }
    // The prime where the matrix is invertible, its place in the sequence, and the determinant
    // modulo it; only when not singular.
    const ModularLU& factorsModuloPrime() const { return *factors; }
    std::size_t primeIndex() const { return index; }

    // The solution of A x = constants (n integers); numeratorBits bounds log2 of every
    // determinant of A with one column replaced by the constants. Only when not singular.
    Solution solve(const std::vector<bignumber::BigInteger>& constants, double numeratorBits) const;

    // Steps of at least this many entries share their rows among the worker pool's threads;
    // tests lower it, to take that path with small matrices.
    static std::size_t& smallestSharedStep() {
        static std::size_t entries = std::size_t{1} << 18;
        return entries;
    }

private:
    class Residual;

    void advance(LiftingResidual& residual, const std::uint64_t* digits) const;

    std::size_t digitsFor(double numeratorBits) const;
    void report(double workDone) const;

    const IntegerRows& matrix;
    Progress progress;
    std::size_t n;
    double denominatorBits;
    std::unique_ptr<ModularLU> factors;
    std::size_t index = 0;
    // The progress: work in units of one multiplication modulo the prime.
    double factorWork;
    double stepWork;
    double totalWork;
    mutable double reported = 0.0;
};
