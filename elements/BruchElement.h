// BruchElement: exact fractions as matrix elements: their one, which the templates cannot make
// as T(1), their exact engine for the determinant family and the solver, and the text shown
// when a typed fraction cannot be read.
#pragma once

#include <cstddef>
#include <cstdint>

#include "elements/InputErrorText.h"
#include "exact/ExactMatrixEngine.h"
#include "matrix/ComputationMonitor.h"
#include "matrix/FastPathOutcome.h"
#include "matrix/Matrix.h"
#include "number/Bruch.h"

// Fractions compute the determinant, the inverse, the adjugate and a uniquely solvable system by
// the exact engine, which gives the very values of the literal algorithm in a fraction of its
// time; the smallest matrices stay with the literal algorithm, which is quicker there, and so
// does a singular system, whose steps decide how it is classified.
template <>
struct ElementTraits<Bruch> {
    static Bruch one() { return Bruch(1, 1); }

    // Below these orders the literal algorithm in 64-bit fractions is at least as fast.
    static bool takesFastPath(FastOperation operation, std::size_t n) {
        switch (operation) {
        case FastOperation::Determinant:
            return n >= 4;
        case FastOperation::Inverse:
            return n >= 3;
        case FastOperation::Adjugate:
            return n >= 4;
        case FastOperation::Solve:
            return n >= 5;
        }
        return false;
    }

    static bool fastDeterminant(const Bruch* const* rows, std::size_t n, Bruch& result) {
        const ComputationMonitor::Scope scope(progressSteps);
        result = exact_matrix::determinant(rows, n, reporter(scope));
        return true;
    }
    static FastPathOutcome fastInverse(const Bruch* const* rows, std::size_t n, Bruch* const* result) {
        const ComputationMonitor::Scope scope(progressSteps);
        return outcomeOf(exact_matrix::inverse(rows, n, result, reporter(scope)));
    }
    static FastPathOutcome fastAdjugate(const Bruch* const* rows, std::size_t n, Bruch* const* result) {
        const ComputationMonitor::Scope scope(progressSteps);
        exact_matrix::adjugate(rows, n, result, reporter(scope));
        return FastPathOutcome::Done;
    }
    static FastPathOutcome fastSolve(const Bruch* const* rows, std::size_t n, const Bruch* constants, Bruch* solution) {
        const ComputationMonitor::Scope scope(progressSteps);
        return outcomeOf(exact_matrix::solve(rows, n, constants, solution, reporter(scope)));
    }

private:
    static constexpr std::uint64_t progressSteps = 1000;

    static exact_matrix::Progress reporter(const ComputationMonitor::Scope& scope) {
        return [&scope](double fractionDone) {
            scope.step(static_cast<std::uint64_t>(fractionDone * static_cast<double>(progressSteps)));
        };
    }
    static FastPathOutcome outcomeOf(exact_matrix::Outcome outcome) {
        switch (outcome) {
        case exact_matrix::Outcome::Done:
            return FastPathOutcome::Done;
        case exact_matrix::Outcome::Singular:
            return FastPathOutcome::Singular;
        case exact_matrix::Outcome::LeftToCaller:
            break;
        }
        return FastPathOutcome::Declined;
    }
};

template <>
inline const char* inputErrorText<Bruch>() {
    return fractionInputErrorText;
}

// The matrix templates for exact fractions are built once, in BruchElement.cpp, not in every unit
// that uses them.
extern template class MatrixVector<Bruch>;
extern template class MatrixArithmetic<Bruch>;
extern template class MatrixMath<Bruch>;
extern template class Matrix<Bruch>;
