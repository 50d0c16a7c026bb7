#include "exact/DivisorDeterminant.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "exact/IntegerRows.h"
#include "exact/LiftingSolver.h"
#include "exact/ModularElimination.h"
#include "exact/PrimeSequence.h"
#include "exact/ResidueCombiner.h"
#include "exact/WordPrime.h"
#include "memory/StorageLimit.h"
#include "memory/StorageRefused.h"

using bignumber::BigInteger;

namespace divisor_determinant {

namespace {

// The share of the progress for the lifting; the primes of the quotient take the rest.
constexpr double liftingShare = 0.9;

void reserveOrRefuse(std::size_t bytes) {
    if (!StorageLimit::reserve(bytes)) {
        throw StorageRefused();
    }
}

// A fixed right-hand side in [-1000, 1000], from a linear congruential sequence: random enough
// that its solution's denominator is nearly always the whole largest invariant factor, and the
// same in every run.
std::vector<BigInteger> fixedConstants(std::size_t n) {
    std::vector<BigInteger> constants(n);
    std::uint64_t state = 0x2545F4914F6CDD1DULL;
    for (BigInteger& value : constants) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        value = bignumber::integerOf(static_cast<std::int64_t>((state >> 33) % 2001) - 1000);
    }
    return constants;
}

// The quotient's residue modulo one more prime: det * d^-1; false when the prime divides d,
// which leaves the quotient's residue open.
bool quotientResidue(std::uint64_t determinantResidue, const BigInteger& divisor, const WordPrime& prime,
                     std::uint64_t& residue) {
    const std::uint64_t divisorResidue = bignumber::residueOf(divisor, prime.value());
    if (divisorResidue == 0) {
        return false;
    }
    residue = prime.multiply(determinantResidue, prime.inverse(divisorResidue));
    return true;
}

}  // namespace

BigInteger determinant(const IntegerRows& matrix, const std::function<void(double)>& progress) {
    const std::size_t n = matrix.order();
    const std::vector<BigInteger> constants = fixedConstants(n);
    std::vector<double> extraColumn(n);
    for (std::size_t i = 0; i < n; ++i) {
        extraColumn[i] = squareLog2Of(constants[i]);
    }
    const double numeratorBits = matrix.hadamardBits(&extraColumn);
    const LiftingSolver solver(matrix, numeratorBits, [&progress](double done) { progress(liftingShare * done); });
    if (solver.singular()) {
        return 0;
    }
    const BigInteger divisor = solver.solve(constants, numeratorBits).commonDenominator;
    // |det / d| <= 2^H / d <= 2^(H - bits(d) + 1); its residues must pass twice that.
    const double quotientBits =
        std::max(0.0, matrix.hadamardBits() - static_cast<double>(bignumber::bitLength(divisor)) + 1.0) + 1.0;
    const ModularLU& factors = solver.factorsModuloPrime();
    std::vector<std::uint64_t> primes;
    std::vector<std::vector<std::uint64_t>> residues;
    double covered = 0.0;
    std::uint64_t residue = 0;
    if (quotientResidue(factors.determinant(), divisor, factors.prime(), residue)) {
        primes.push_back(factors.prime().value());
        residues.push_back({residue});
        covered += std::log2(static_cast<double>(factors.prime().value())) - 1e-9;
    }
    const double expected = std::max(1.0, std::ceil((quotientBits - covered) / 61.9));
    reserveOrRefuse(n * n * sizeof(std::uint64_t));
    std::vector<std::uint64_t> work(n * n);
    for (std::size_t t = solver.primeIndex() + 1; covered <= quotientBits; ++t) {
        const WordPrime prime(prime_sequence::at(t));
        const auto before = static_cast<double>(primes.size());
        matrix.residues(prime, work.data(), [&] { progress(liftingShare); });
        const std::uint64_t determinantResidue =
            modular_elimination::determinant(work.data(), n, prime, [&](std::size_t steps) {
                const double done = (before + static_cast<double>(steps) / static_cast<double>(n)) / expected;
                progress(liftingShare + (1.0 - liftingShare) * std::min(done, 1.0));
            });
        if (quotientResidue(determinantResidue, divisor, prime, residue)) {
            primes.push_back(prime.value());
            residues.push_back({residue});
            covered += std::log2(static_cast<double>(prime.value())) - 1e-9;
        }
    }
    const BigInteger quotient = ResidueCombiner(primes, [&] { progress(1.0); }).combine(residues, 0);
    return divisor * quotient;
}

}  // namespace divisor_determinant
