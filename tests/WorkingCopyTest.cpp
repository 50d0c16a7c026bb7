// The working copy of the eliminations of decimal and complex numbers: laid out for the lanes,
// part of the storage check, and taken once per operation from memory kept for the next one.
#include <cstdint>
#include <functional>

#include "MemoryLeft.h"
#include "TestMatrices.h"
#include "matrix/elimination/WorkingMatrix.h"
#include "matrix/elimination/WorkingMemory.h"
#include "memory/StorageRefused.h"

namespace {

using namespace testmatrices;
using elimination::WorkingMatrix;
using elimination::WorkingMemory;

// Every row starts on a cache line, and consecutive rows are an odd number of lines apart,
// whatever the width, so rows never share a cache set at the critical strides.
template <typename T>
void checkLayout(std::size_t rows, std::size_t columns) {
    WorkingMemory memory(WorkingMatrix<T>::bytesFor(rows, columns));
    WorkingMatrix<T> working(memory, rows, columns);
    for (std::size_t i = 0; i < rows; ++i) {
        const auto address = reinterpret_cast<std::uintptr_t>(working.row(i));
        EXPECT_EQ(0u, address % 64) << columns;
        if (i > 0) {
            const std::uintptr_t distance = address - reinterpret_cast<std::uintptr_t>(working.row(i - 1));
            EXPECT_GE(distance, columns * sizeof(T)) << columns;
            EXPECT_EQ(1u, distance / 64 % 2) << columns;
        }
    }
}

TEST(WorkingMatrixTest, RowsAlignedAndAnOddNumberOfCacheLinesApart) {
    for (const std::size_t columns : {1u, 7u, 8u, 16u, 300u, 512u, 1000u, 1024u}) {
        checkLayout<double>(5, columns);
        checkLayout<float>(5, columns);
        checkLayout<Complex>(5, columns);
    }
}

TEST(WorkingMemoryTest, TheWorkingCopyIsPartOfTheStorageCheck) {
    const Matrix<double> a = randomMatrix<double>(100, 100, 3, Values::Dense, 0.0);
    const Matrix<double> upper = matrixOf<double>(2, 2, std::vector{2., 3., 0., 4.});
    const Matrix<double> b = randomMatrix<double>(100, 1, 4, Values::Dense, 0.0);
    Matrix<double> x(100, 1);
    const double expected = a.determinant();
    WorkingMemory::releaseKept();
    {
        // Memory for nothing beyond what is already held: every elimination is refused before
        // it computes, even of a triangular matrix, whose copy is taken before it is tested.
        const MemoryLeft nothing(0);
        const std::function<void()> refused[] = {[&] { a.determinant(); }, [&] { a.triangularForm(); },
                                                 [&] { a.solve(b, x); }, [&] { a.adjugate(); }};
        for (const auto& operation : refused) {
            EXPECT_THROW(operation(), StorageRefused);
        }
        EXPECT_THROW(upper.determinant(), StorageRefused);
    }
    EXPECT_TRUE(sameBits(expected, a.determinant()));
    EXPECT_EQ(8.0, upper.determinant());
}

// Once an operation has had its memory, the same operation again needs no new storage: it is
// not refused when nothing more is left, and gives the same bits.
TEST(WorkingMemoryTest, KeptForTheNextOperation) {
    const Matrix<Complex> a = randomMatrix<Complex>(90, 90, 5, Values::Dense, 0.0);
    WorkingMemory::releaseKept();
    const Complex first = a.determinant();
    const MemoryLeft nothing(0);
    Complex again;
    EXPECT_NO_THROW(again = a.determinant());
    EXPECT_TRUE(sameBits(first, again));
}

// An operation that needs more than the kept block takes a larger one, and an operation inside
// another (the kept block in use) takes its own.
TEST(WorkingMemoryTest, GrowsAndNestsWithoutSharingABlock) {
    WorkingMemory::releaseKept();
    WorkingMemory outer(WorkingMemory::bytesFor<double>(16));
    auto* outerValues = outer.take<double>(16);
    {
        WorkingMemory inner(WorkingMemory::bytesFor<double>(16));
        EXPECT_NE(outerValues, inner.take<double>(16));
    }
    EXPECT_THROW(outer.take<double>(1), std::bad_alloc);
}

}  // namespace
