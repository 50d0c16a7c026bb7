// Determinant, equation solver and adjugate beside Eigen's partial-pivot LU on the same random
// matrices, and the fraction determinant beside the same elimination with GMP rationals.
// Compare the pairs of one run: <Operation>/Tavolent/n against <Operation>/Eigen/n.
#include <benchmark/benchmark.h>
#include <gmpxx.h>

#include <Eigen/Dense>
#include <cstdint>
#include <random>
#include <vector>

#include "matrix/Matrix.h"

namespace {

Eigen::MatrixXd randomEigen(Eigen::Index rows, Eigen::Index cols, std::uint64_t seed) {
    std::mt19937_64 engine(seed);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    Eigen::MatrixXd m(rows, cols);
    for (Eigen::Index r = 0; r < rows; ++r) {
        for (Eigen::Index c = 0; c < cols; ++c) {
            m(r, c) = value(engine);
        }
    }
    return m;
}

Matrix<double> toMatrix(const Eigen::MatrixXd& source) {
    Matrix<double> m(static_cast<std::uint32_t>(source.rows()), static_cast<std::uint32_t>(source.cols()));
    for (Eigen::Index r = 0; r < source.rows(); ++r) {
        for (Eigen::Index c = 0; c < source.cols(); ++c) {
            m.element(static_cast<std::uint32_t>(r + 1), static_cast<std::uint32_t>(c + 1)) = source(r, c);
        }
    }
    return m;
}

void determinantTavolent(benchmark::State& state) {
    const Matrix<double> a = toMatrix(randomEigen(state.range(0), state.range(0), 1));
    for (auto _ : state) {
        benchmark::DoNotOptimize(a.determinant());
    }
}

void determinantEigen(benchmark::State& state) {
    const Eigen::MatrixXd a = randomEigen(state.range(0), state.range(0), 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(Eigen::PartialPivLU<Eigen::MatrixXd>(a).determinant());
    }
}

void solveTavolent(benchmark::State& state) {
    const auto n = state.range(0);
    const Matrix<double> a = toMatrix(randomEigen(n, n, 2));
    const Matrix<double> b = toMatrix(randomEigen(n, 1, 3));
    Matrix<double> x(static_cast<std::uint32_t>(n), 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(a.solve(b, x));
        benchmark::ClobberMemory();
    }
}

void solveEigen(benchmark::State& state) {
    const auto n = state.range(0);
    const Eigen::MatrixXd a = randomEigen(n, n, 2);
    const Eigen::VectorXd b = randomEigen(n, 1, 3);
    Eigen::VectorXd x(n);
    for (auto _ : state) {
        x = a.partialPivLu().solve(b);
        benchmark::DoNotOptimize(x.data());
        benchmark::ClobberMemory();
    }
}

void adjugateTavolent(benchmark::State& state) {
    const Matrix<double> a = toMatrix(randomEigen(state.range(0), state.range(0), 4));
    for (auto _ : state) {
        benchmark::DoNotOptimize(a.adjugate());
    }
}

// The same n squared cofactors, each minor copied out and factorised by Eigen.
void adjugateEigen(benchmark::State& state) {
    const Eigen::Index n = state.range(0);
    const Eigen::MatrixXd a = randomEigen(n, n, 4);
    Eigen::MatrixXd minor(n - 1, n - 1);
    Eigen::MatrixXd result(n, n);
    for (auto _ : state) {
        for (Eigen::Index i = 0; i < n; ++i) {
            for (Eigen::Index j = 0; j < n; ++j) {
                minor.topLeftCorner(i, j) = a.topLeftCorner(i, j);
                minor.topRightCorner(i, n - 1 - j) = a.topRightCorner(i, n - 1 - j);
                minor.bottomLeftCorner(n - 1 - i, j) = a.bottomLeftCorner(n - 1 - i, j);
                minor.bottomRightCorner(n - 1 - i, n - 1 - j) = a.bottomRightCorner(n - 1 - i, n - 1 - j);
                const double d = Eigen::PartialPivLU<Eigen::MatrixXd>(minor).determinant();
                result(j, i) = (i + j) % 2 == 0 ? d : -d;
            }
        }
        benchmark::DoNotOptimize(result.data());
    }
}

constexpr int fractionMatrices = 200;
constexpr std::uint32_t fractionOrder = 8;

std::vector<std::vector<std::int64_t>> randomIntegerMatrices() {
    std::mt19937_64 engine(5);
    std::uniform_int_distribution<std::int64_t> value(-9, 9);
    std::vector<std::vector<std::int64_t>> matrices(fractionMatrices);
    for (auto& m : matrices) {
        for (std::uint32_t k = 0; k < fractionOrder * fractionOrder; ++k) {
            m.push_back(value(engine));
        }
    }
    return matrices;
}

void fractionDeterminantTavolent(benchmark::State& state) {
    std::vector<Matrix<Bruch>> matrices;
    for (const auto& values : randomIntegerMatrices()) {
        Matrix<Bruch> m(fractionOrder, fractionOrder);
        for (std::uint32_t k = 0; k < values.size(); ++k) {
            m.element(k / fractionOrder + 1, k % fractionOrder + 1) = Bruch(values[k], 1);
        }
        matrices.push_back(m);
    }
    for (auto _ : state) {
        for (const Matrix<Bruch>& m : matrices) {
            benchmark::DoNotOptimize(m.determinant());
        }
    }
}

// The same elimination with column exchanges, on GMP rationals.
mpq_class gmpDeterminant(std::vector<std::vector<mpq_class>> w) {
    const std::size_t n = w.size();
    for (std::size_t k = 0; k < n; ++k) {
        if (k + 1 < n && w[k][k] == 0) {
            for (std::size_t r = 0; r < n; ++r) {
                if (r != k && w[k][r] != 0) {
                    for (auto& row : w) {
                        std::swap(row[k], row[r]);
                    }
                    for (mpq_class& value : w[k]) {
                        value = -value;
                    }
                    break;
                }
            }
        }
        if (w[k][k] == 0) {
            break;
        }
        for (std::size_t i = k + 1; i < n; ++i) {
            const mpq_class f = w[i][k] / w[k][k];
            for (std::size_t j = k; j < n; ++j) {
                w[i][j] = w[i][j] - w[k][j] * f;
            }
        }
    }
    mpq_class d = 1;
    for (std::size_t i = 0; i < n; ++i) {
        d = w[i][i] * d;
    }
    return d;
}

void fractionDeterminantGmp(benchmark::State& state) {
    std::vector<std::vector<std::vector<mpq_class>>> matrices;
    for (const auto& values : randomIntegerMatrices()) {
        std::vector<std::vector<mpq_class>> m(fractionOrder, std::vector<mpq_class>(fractionOrder));
        for (std::uint32_t k = 0; k < values.size(); ++k) {
            m[k / fractionOrder][k % fractionOrder] = static_cast<long>(values[k]);
        }
        matrices.push_back(m);
    }
    for (auto _ : state) {
        for (const auto& m : matrices) {
            benchmark::DoNotOptimize(gmpDeterminant(m));
        }
    }
}

}  // namespace

BENCHMARK(determinantTavolent)
    ->Name("Determinant/Tavolent")
    ->Arg(100)
    ->Arg(300)
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(determinantEigen)->Name("Determinant/Eigen")->Arg(100)->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(solveTavolent)->Name("Solve/Tavolent")->Arg(100)->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(solveEigen)->Name("Solve/Eigen")->Arg(100)->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(adjugateTavolent)->Name("Adjugate/Tavolent")->Arg(40)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(adjugateEigen)->Name("Adjugate/Eigen")->Arg(40)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(fractionDeterminantTavolent)->Name("FractionDeterminant/Tavolent/200x8")->Unit(benchmark::kMicrosecond);
BENCHMARK(fractionDeterminantGmp)->Name("FractionDeterminant/Gmp/200x8")->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
