// The operations of EigenPeer.h; compiled once per build of Eigen, which names the entry point.
#include "EigenPeer.h"

#include <benchmark/benchmark.h>

#include <Eigen/Dense>

namespace {

class Task : public EigenTask {
public:
    Task(EigenOperation operation, int n, const std::vector<double>& a, const std::vector<double>& b)
        : operation(operation), matrix(n, n), rightSide(n), solution(n), minor(n - 1, n - 1), result(n, n) {
        const std::size_t count = static_cast<std::size_t>(n) * n;
        for (int r = 0; r < n; ++r) {
            rightSide(r) = b.empty() ? 0.0 : b[r];
            for (int c = 0; c < n; ++c) {
                matrix(r, c) = a[static_cast<std::size_t>(r) * n + c];
            }
        }
        if (operation == EigenOperation::FloatDeterminant) {
            floatMatrix = matrix.cast<float>();
        } else if (operation == EigenOperation::ComplexDeterminant) {
            complexMatrix.resize(n, n);
            for (int r = 0; r < n; ++r) {
                for (int c = 0; c < n; ++c) {
                    const std::size_t k = static_cast<std::size_t>(r) * n + c;
                    complexMatrix(r, c) = {a[k], a[count - 1 - k]};
                }
            }
        }
    }

    void run() override {
        switch (operation) {
        case EigenOperation::Determinant:
            benchmark::DoNotOptimize(Eigen::PartialPivLU<Eigen::MatrixXd>(matrix).determinant());
            break;
        case EigenOperation::Solve:
            solution = matrix.partialPivLu().solve(rightSide);
            benchmark::DoNotOptimize(solution.data());
            break;
        case EigenOperation::Adjugate:
            adjugate();
            break;
        case EigenOperation::FloatDeterminant:
            benchmark::DoNotOptimize(Eigen::PartialPivLU<Eigen::MatrixXf>(floatMatrix).determinant());
            break;
        case EigenOperation::ComplexDeterminant:
            benchmark::DoNotOptimize(Eigen::PartialPivLU<Eigen::MatrixXcd>(complexMatrix).determinant());
            break;
        }
        benchmark::ClobberMemory();
    }

private:
    // The same n squared cofactors as ours, each minor copied out and factorised.
    void adjugate() {
        const Eigen::Index n = matrix.rows();
        for (Eigen::Index i = 0; i < n; ++i) {
            for (Eigen::Index j = 0; j < n; ++j) {
                minor.topLeftCorner(i, j) = matrix.topLeftCorner(i, j);
                minor.topRightCorner(i, n - 1 - j) = matrix.topRightCorner(i, n - 1 - j);
                minor.bottomLeftCorner(n - 1 - i, j) = matrix.bottomLeftCorner(n - 1 - i, j);
                minor.bottomRightCorner(n - 1 - i, n - 1 - j) = matrix.bottomRightCorner(n - 1 - i, n - 1 - j);
                const double d = Eigen::PartialPivLU<Eigen::MatrixXd>(minor).determinant();
                result(j, i) = (i + j) % 2 == 0 ? d : -d;
            }
        }
        benchmark::DoNotOptimize(result.data());
    }

    EigenOperation operation;
    Eigen::MatrixXd matrix;
    Eigen::VectorXd rightSide, solution;
    Eigen::MatrixXd minor, result;
    Eigen::MatrixXf floatMatrix;
    Eigen::MatrixXcd complexMatrix;
};

}  // namespace

TAVOLENT_EIGEN_PEER(TAVOLENT_EIGEN_ENTRY) {
    return std::make_unique<Task>(operation, n, a, b);
}
