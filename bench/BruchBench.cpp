// Speed of Bruch against GMP's mpq_class and against plain 64-bit fractions that never check
// for overflow, on the same operands: the four operations, reduction, the determinant of small
// integer matrices by elimination, the library's heaviest use of fractions, and the inverses of
// Hilbert matrices, whose minors take the elimination far past 64 bits. There Bruch and mpq_class
// run the library's own inverse, so both compute exactly the same minors in the same order.
#include <benchmark/benchmark.h>
#include <gmpxx.h>

#include <cstdint>
#include <numeric>
#include <random>
#include <type_traits>
#include <utility>
#include <vector>

#include "elements/BruchElement.h"
#include "matrix/Matrix.h"
// GMP's rationals are no element type of the program: this bench builds the templates for them.
#include "matrix/Matrix-inl.h"
#include "number/BigNumberMemory.h"

namespace {

// The same arithmetic without any overflow check: the yardstick for what the checks cost.
struct Unchecked {
    std::int64_t zaehler = 0;
    std::int64_t nenner = 1;

    Unchecked() = default;
    Unchecked(std::int64_t z, std::int64_t n) : zaehler(z), nenner(n) { reduce(); }

    void reduce() {
        const std::int64_t divisor = std::gcd(zaehler, nenner);
        zaehler /= divisor;
        nenner /= divisor;
        if (nenner < 0) {
            zaehler = -zaehler;
            nenner = -nenner;
        }
    }
    Unchecked operator+(const Unchecked& r) const {
        return {zaehler * r.nenner + r.zaehler * nenner, nenner * r.nenner};
    }
    Unchecked operator-(const Unchecked& r) const {
        return {zaehler * r.nenner - r.zaehler * nenner, nenner * r.nenner};
    }
    Unchecked operator*(const Unchecked& r) const { return {zaehler * r.zaehler, nenner * r.nenner}; }
    Unchecked operator/(const Unchecked& r) const { return {zaehler * r.nenner, nenner * r.zaehler}; }
    bool operator==(const Unchecked& r) const { return zaehler == r.zaehler && nenner == r.nenner; }
};

// Unchecked too, but reduced by the signed recursive Euclid that Bruch::kuerzen follows, so that
// the reduction benchmark separates the cost of the guards from the cost of the algorithm.
struct UncheckedEuclid {
    std::int64_t zaehler = 0;
    std::int64_t nenner = 1;

    static std::int64_t euclid(std::int64_t a, std::int64_t b) { return a % b == 0 ? b : euclid(b, a % b); }

    UncheckedEuclid(std::int64_t z, std::int64_t n) : zaehler(z), nenner(n) {
        const std::int64_t rest = zaehler % nenner;
        const std::int64_t divisor = rest == 0 ? nenner : euclid(nenner, rest);
        zaehler /= divisor;
        nenner /= divisor;
        if (nenner < 0) {
            zaehler = -zaehler;
            nenner = -nenner;
        }
    }
};

template <typename T>
T make(std::int64_t z, std::int64_t n) {
    if constexpr (std::is_same_v<T, mpq_class>) {
        mpq_class value{mpz_class(static_cast<long>(z)), mpz_class(static_cast<long>(n))};
        value.canonicalize();
        return value;
    } else {
        return T(z, n);
    }
}

constexpr std::size_t kPoolSize = 1024;

// Operands as a matrix elimination meets them: small numerators and denominators, never zero.
std::vector<std::pair<std::int64_t, std::int64_t>> operandFields() {
    std::mt19937_64 random(42);
    std::uniform_int_distribution<std::int64_t> numerator(-1000, 1000);
    std::uniform_int_distribution<std::int64_t> denominator(1, 1000);
    std::vector<std::pair<std::int64_t, std::int64_t>> fields;
    while (fields.size() < kPoolSize + 1) {
        const std::int64_t z = numerator(random);
        if (z != 0)
            fields.emplace_back(z, denominator(random));
    }
    return fields;
}

template <typename T>
std::vector<T> operandPool() {
    std::vector<T> pool;
    for (const auto& [z, n] : operandFields())
        pool.push_back(make<T>(z, n));
    return pool;
}

template <typename T, typename Operation>
void runOperation(benchmark::State& state, Operation operation) {
    const std::vector<T> pool = operandPool<T>();
    for (auto _ : state) {
        for (std::size_t i = 0; i < kPoolSize; ++i) {
            T result = operation(pool[i], pool[i + 1]);
            benchmark::DoNotOptimize(result);
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kPoolSize));
}

template <typename T>
void BM_Add(benchmark::State& s) {
    runOperation<T>(s, [](const T& a, const T& b) { return a + b; });
}
template <typename T>
void BM_Subtract(benchmark::State& s) {
    runOperation<T>(s, [](const T& a, const T& b) { return a - b; });
}
template <typename T>
void BM_Multiply(benchmark::State& s) {
    runOperation<T>(s, [](const T& a, const T& b) { return a * b; });
}
template <typename T>
void BM_Divide(benchmark::State& s) {
    runOperation<T>(s, [](const T& a, const T& b) { return a / b; });
}

// Reduction of fractions that share a factor, as the raw results of the operations do.
template <typename T>
void BM_Reduce(benchmark::State& state) {
    std::vector<std::pair<std::int64_t, std::int64_t>> fields = operandFields();
    std::mt19937_64 random(7);
    for (auto& [z, n] : fields) {
        const std::int64_t common = std::uniform_int_distribution<std::int64_t>(1, 1000)(random);
        z *= common;
        n *= common;
    }
    for (auto _ : state) {
        for (std::size_t i = 0; i < kPoolSize; ++i) {
            T result = make<T>(fields[i].first, fields[i].second);
            benchmark::DoNotOptimize(result);
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kPoolSize));
}

// Determinant by Gaussian elimination with the first nonzero pivot, on n x n integer matrices.
template <typename T>
T determinant(std::vector<std::vector<T>> a) {
    const std::size_t n = a.size();
    T result = make<T>(1, 1);
    const T zero = make<T>(0, 1);
    for (std::size_t k = 0; k < n; ++k) {
        std::size_t pivot = k;
        while (pivot < n && a[pivot][k] == zero)
            ++pivot;
        if (pivot == n)
            return zero;
        if (pivot != k) {
            std::swap(a[pivot], a[k]);
            result = zero - result;
        }
        result = result * a[k][k];
        for (std::size_t i = k + 1; i < n; ++i) {
            const T factor = a[i][k] / a[k][k];
            for (std::size_t j = k + 1; j < n; ++j)
                a[i][j] = a[i][j] - factor * a[k][j];
        }
    }
    return result;
}

mpq_class exactValue(const Bruch& value) {
    mpq_class exact(value.exactZaehler(), value.exactNenner());
    exact.canonicalize();
    return exact;
}
mpq_class exactValue(const Unchecked& value) {
    return make<mpq_class>(value.zaehler, value.nenner);
}
mpq_class exactValue(const mpq_class& value) {
    return value;
}

template <typename T>
std::vector<std::vector<mpq_class>> exactMatrix(const std::vector<std::vector<T>>& m) {
    std::vector<std::vector<mpq_class>> exact;
    for (const auto& row : m) {
        exact.emplace_back();
        for (const T& e : row)
            exact.back().push_back(exactValue(e));
    }
    return exact;
}

template <typename T>
void BM_Determinant8(benchmark::State& state) {
    constexpr std::size_t n = 8;
    std::mt19937_64 random(8);
    std::uniform_int_distribution<std::int64_t> entry(-9, 9);
    std::vector<std::vector<std::vector<T>>> matrices(16);
    for (auto& m : matrices) {
        m.assign(n, std::vector<T>(n, make<T>(0, 1)));
        for (auto& row : m)
            for (T& e : row)
                e = make<T>(entry(random), 1);
        // A timing of wrong results would be worthless: the unchecked version could wrap.
        if (exactValue(determinant(m)) != determinant(exactMatrix(m))) {
            state.SkipWithError("determinant differs from the exact one");
            return;
        }
    }
    for (auto _ : state) {
        for (const auto& m : matrices) {
            T d = determinant(m);
            benchmark::DoNotOptimize(d);
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * matrices.size()));
}

template <typename T>
Matrix<T> hilbert(std::uint32_t n) {
    Matrix<T> h(n, n);
    for (std::uint32_t i = 1; i <= n; ++i)
        for (std::uint32_t j = 1; j <= n; ++j)
            h.element(i, j) = make<T>(1, i + j - 1);
    return h;
}

template <typename T>
void BM_HilbertInverse(benchmark::State& state) {
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const Matrix<T> h = hilbert<T>(n);
    const MatrixMath<T> inverse = h.inverse();
    const MatrixMath<mpq_class> exact = hilbert<mpq_class>(n).inverse();
    for (std::uint32_t i = 1; i <= n; ++i) {
        for (std::uint32_t j = 1; j <= n; ++j) {
            if (exactValue(inverse.element(i, j)) != exact.element(i, j)) {
                state.SkipWithError("inverse differs from the exact one");
                return;
            }
        }
    }
    for (auto _ : state) {
        MatrixMath<T> result = h.inverse();
        benchmark::DoNotOptimize(result);
    }
}

}  // namespace

BENCHMARK_TEMPLATE(BM_Add, Bruch);
BENCHMARK_TEMPLATE(BM_Add, Unchecked);
BENCHMARK_TEMPLATE(BM_Add, mpq_class);
BENCHMARK_TEMPLATE(BM_Subtract, Bruch);
BENCHMARK_TEMPLATE(BM_Subtract, Unchecked);
BENCHMARK_TEMPLATE(BM_Subtract, mpq_class);
BENCHMARK_TEMPLATE(BM_Multiply, Bruch);
BENCHMARK_TEMPLATE(BM_Multiply, Unchecked);
BENCHMARK_TEMPLATE(BM_Multiply, mpq_class);
BENCHMARK_TEMPLATE(BM_Divide, Bruch);
BENCHMARK_TEMPLATE(BM_Divide, Unchecked);
BENCHMARK_TEMPLATE(BM_Divide, mpq_class);
BENCHMARK_TEMPLATE(BM_Reduce, Bruch);
BENCHMARK_TEMPLATE(BM_Reduce, Unchecked);
BENCHMARK_TEMPLATE(BM_Reduce, UncheckedEuclid);
BENCHMARK_TEMPLATE(BM_Reduce, mpq_class);
BENCHMARK_TEMPLATE(BM_Determinant8, Bruch);
BENCHMARK_TEMPLATE(BM_Determinant8, Unchecked);
BENCHMARK_TEMPLATE(BM_Determinant8, mpq_class);

BENCHMARK_TEMPLATE(BM_HilbertInverse, Bruch)->Arg(12)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_HilbertInverse, mpq_class)->Arg(12)->Arg(20)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // As the program does: the allocator and the big numbers' allocation set up for the storage check.
    bignumber::setUpAllocation(nullptr);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
