// EigenPeer: Eigen's partial-pivot LU on given operands, built twice into libraries of their own:
// once with the project's flags, for any x86-64, and once for this processor (-march=native),
// as a user would build their own Eigen code. Each library keeps its Eigen to itself, so the two
// builds cannot share any of their code.
#pragma once

#include <memory>
#include <vector>

// The determinant of float and complex matrices too; a complex matrix takes its real parts from
// a and its imaginary parts from the same values in reverse order.
enum class EigenOperation { Determinant, Solve, Adjugate, FloatDeterminant, ComplexDeterminant };

// One operation prepared on its operands, to be run many times.
class EigenTask {
public:
    virtual ~EigenTask() = default;
    virtual void run() = 0;
};

// a is n x n, row by row; b has n values (used by Solve only).
#define TAVOLENT_EIGEN_PEER(name)                                           \
    __attribute__((visibility("default"))) std::unique_ptr<EigenTask> name( \
        EigenOperation operation, int n, const std::vector<double>& a, const std::vector<double>& b)
TAVOLENT_EIGEN_PEER(makeGenericEigenTask);
TAVOLENT_EIGEN_PEER(makeNativeEigenTask);
