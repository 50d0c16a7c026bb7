// The one unit that builds the matrix templates for exact fractions, and the bridge from them to
// the exact engine.
#include "elements/BruchElement.h"

#include <cstddef>
#include <cstdint>

#include "exact/ExactMatrixEngine.h"
#include "matrix/ComputationMonitor.h"
#include "matrix/Matrix-inl.h"

namespace {

constexpr std::uint64_t progressSteps = 1000;

exact_matrix::Progress reporter(const ComputationMonitor::Scope& scope) {
    return [&scope](double fractionDone) {
        scope.step(static_cast<std::uint64_t>(fractionDone * static_cast<double>(progressSteps)));
    };
}

FastPathOutcome outcomeOf(exact_matrix::Outcome outcome) {
    return outcome == exact_matrix::Outcome::Done ? FastPathOutcome::Done : FastPathOutcome::Singular;
}

}  // namespace

bool ElementTraits<Bruch>::fastDeterminant(const Bruch* const* rows, std::size_t n, Bruch& result) {
    const ComputationMonitor::Scope scope(progressSteps);
    result = exact_matrix::determinant(rows, n, reporter(scope));
    return true;
}

FastPathOutcome ElementTraits<Bruch>::fastInverse(const Bruch* const* rows, std::size_t n, Bruch* const* result) {
    const ComputationMonitor::Scope scope(progressSteps);
    return outcomeOf(exact_matrix::inverse(rows, n, result, reporter(scope)));
}

FastPathOutcome ElementTraits<Bruch>::fastAdjugate(const Bruch* const* rows, std::size_t n, Bruch* const* result) {
    const ComputationMonitor::Scope scope(progressSteps);
    exact_matrix::adjugate(rows, n, result, reporter(scope));
    return FastPathOutcome::Done;
}

FastPathOutcome ElementTraits<Bruch>::fastSolve(const Bruch* const* rows, std::size_t n, const Bruch* constants,
                                                Bruch* solution) {
    const ComputationMonitor::Scope scope(progressSteps);
    return outcomeOf(exact_matrix::solve(rows, n, constants, solution, reporter(scope)));
}

template class MatrixVector<Bruch>;
template class MatrixArithmetic<Bruch>;
template class MatrixMath<Bruch>;
template class Matrix<Bruch>;
