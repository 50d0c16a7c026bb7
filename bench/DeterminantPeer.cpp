// The peer of tools/determinant-in-program.py: reads "TYPE N R" and an N x N matrix in the
// program's text forms, computes its determinant R times with Eigen's partial-pivot LU (a fresh
// factorisation each time, as the program eliminates a fresh copy each time), and prints the
// processor time per determinant in milliseconds, then the determinant.
#include <Eigen/Dense>
#include <complex>
#include <ctime>
#include <iostream>
#include <string>

namespace {

double processSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

template <typename T>
int timeDeterminants(int n, int repeats) {
    using Dense = Eigen::Matrix<T, Eigen::Dynamic, Eigen::Dynamic>;
    Dense matrix(n, n);
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            if (!(std::cin >> matrix(r, c))) {
                std::cerr << "too few values" << std::endl;
                return 1;
            }
        }
    }
    T determinant{};
    const double start = processSeconds();
    for (int i = 0; i < repeats; ++i) {
        determinant = Eigen::PartialPivLU<Dense>(matrix).determinant();
    }
    const double seconds = processSeconds() - start;
    std::cout << seconds * 1e3 / repeats << " " << determinant << std::endl;
    return 0;
}

}  // namespace

int main() {
    std::string type;
    int n = 0, repeats = 0;
    std::cin >> type >> n >> repeats;
    if (n < 1 || repeats < 1) {
        std::cerr << "expected: TYPE N R, then the values" << std::endl;
        return 2;
    }
    if (type == "float") {
        return timeDeterminants<float>(n, repeats);
    }
    if (type == "double") {
        return timeDeterminants<double>(n, repeats);
    }
    if (type == "complex") {
        return timeDeterminants<std::complex<double>>(n, repeats);
    }
    std::cerr << "unknown type " << type << std::endl;
    return 2;
}
