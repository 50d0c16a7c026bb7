// The storage of every matrix: resizing, element access, exchanges, copies, and the memory
// check before each allocation. The properties are checked through the output menu.
#include <gtest/gtest.h>

#include <complex>
#include <cstring>
#include <functional>
#include <limits>
#include <new>
#include <set>
#include <sstream>

#include "MemoryLeft.h"
#include "TestMatrices.h"
#include "elements/Elements.h"
#include "matrix/Matrix.h"
// FragileElement is no element type of the program, so this test builds the storage for it.
#include "matrix/MatrixVector-inl.h"

namespace {

// Filled row by row with 1, 2, 3, ...; read back as "1 2|3 4".
template <typename T>
Matrix<T> counting(std::uint32_t rows, std::uint32_t cols) {
    Matrix<T> m(rows, cols);
    for (std::uint32_t i = 0; i < rows * cols; ++i) {
        m.element(i / cols + 1, i % cols + 1) = T(i + 1);
    }
    return m;
}
template <typename T>
std::string table(const Matrix<T>& m) {
    std::ostringstream text;
    for (std::uint32_t i = 0; i < m.getRowCount() * m.getColumnCount(); ++i) {
        const std::uint32_t c = i % m.getColumnCount() + 1;
        text << (i == 0 ? "" : c == 1 ? "|" : " ") << std::real(m.element(i / m.getColumnCount() + 1, c));
    }
    return text.str();
}

template <typename T>
class StorageTest : public ::testing::Test {};
using ElementTypes = ::testing::Types<float, double, std::complex<double>>;
TYPED_TEST_SUITE(StorageTest, ElementTypes);

TYPED_TEST(StorageTest, ResizingExchangingAndCopyingMoveWholeValues) {
    Matrix<TypeParam> m;
    EXPECT_EQ(table(m), "0 0 0|0 0 0|0 0 0");
    m = counting<TypeParam>(3, 3);
    m.setSize(2, 3);
    m.setSize(4, 2);
    EXPECT_EQ(table(m), "1 2|4 5|0 0|0 0");
    m = counting<TypeParam>(4, 2);
    m.swapRows(1, 3);
    m.swapRows(2, 2);
    m.swapColumns(2, 1);
    m.swapColumns(1, 1);
    EXPECT_EQ(table(m), "6 5|4 3|2 1|8 7");
    EXPECT_EQ(m.getColumn(2), (std::vector<TypeParam>{TypeParam(5), TypeParam(3), TypeParam(1), TypeParam(7)}));
    EXPECT_EQ(table(Matrix<TypeParam>(m)), table(m));
}

TYPED_TEST(StorageTest, OutOfRangeIndicesAreRefusedAndChangeNothing) {
    Matrix<TypeParam> m = counting<TypeParam>(3, 2);
    Matrix<TypeParam> other(2, 3);
    const auto index = MatrixError::IndexOutOfRange;
    const struct {
        std::function<void()> action;
        MatrixError code;
    } cases[] = {
        {[&] { m.element(0, 1); }, index},
        {[&] { m.element(1, 0); }, index},
        {[&] { m.element(4, 1); }, index},
        {[&] { m.element(1, 3); }, index},
        // Column 3 is outside although row 3 exists.
        {[&] { m.swapColumns(1, 3); }, index},
        {[&] { m.swapColumns(3, 1); }, index},
        {[&] { m.swapColumns(0, 1); }, index},
        {[&] { m.swapRows(1, 4); }, index},
        {[&] { m.swapRows(0, 1); }, index},
        {[&] { (void)m.getColumn(3); }, MatrixError::ColumnOutOfRange},
        {[&] { (void)m.getColumn(0); }, MatrixError::ColumnOutOfRange},
        {[&] { m.setSize(0, 4); }, MatrixError::SizeBelowOne},
        {[&] { m.setSize(4, 0); }, MatrixError::SizeBelowOne},
        {[] { Matrix<TypeParam> bad(0, 1); }, MatrixError::SizeBelowOne},
        {[&] { other = m; }, MatrixError::SizeMismatch},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_TRUE(testmatrices::throwsMatrixError(cases[i].action, cases[i].code)) << "case " << i;
    }
    EXPECT_EQ(table(m), "1 2|3 4|5 6");
    EXPECT_EQ(table(other), "0 0 0|0 0 0");
}

TEST(MatrixExceptionTest, EveryCodeHasATextOfItsOwn) {
    std::set<std::string> texts;
    for (int code : {100, 103, 104, 106, 200, 201, 202, 203, 204, 300, 301, 400, 401, 402, 403}) {
        const MatrixException e(static_cast<MatrixError>(code));
        EXPECT_EQ(e.text[std::strlen(e.text) - 1], '.') << code;
        texts.insert(e.text);
    }
    EXPECT_EQ(texts.size(), 15u);
}

// An element whose construction fails after a set number of them, standing in for the
// allocation of new rows failing.
struct FragileElement {
    static inline int constructionsLeft = -1;
    FragileElement() {
        if (constructionsLeft == 0) {
            throw std::bad_alloc();
        }
        constructionsLeft -= constructionsLeft > 0 ? 1 : 0;
    }
    int value = 0;
};

TEST(StorageFailure, AFailingAllocationLeavesTheOldSizeAndValues) {
    for (const auto& [rows, cols] : {std::pair{5u, 5u}, std::pair{4u, 2u}, std::pair{4u, 8u}}) {
        MatrixVector<FragileElement> m;
        m.element(3, 3).value = 33;
        FragileElement::constructionsLeft = 1;
        EXPECT_THROW(m.setSize(rows, cols), std::bad_alloc) << rows << " x " << cols;
        FragileElement::constructionsLeft = -1;
        EXPECT_EQ(m.getRowCount() * 10 + m.getColumnCount(), 33u);
        EXPECT_EQ(m.element(3, 3).value, 33);
    }
}

// New rows need only their own memory; rows that must grow are copied, so while they are, the
// old and the new rows are both held. A copy needs all of its storage.
TEST(StorageFailure, WhatDoesNotFitIsRefusedBeforeAnythingChanges) {
    Matrix<double> m(10, 10);
    const std::size_t held = StorageLimit::bytesFor<double>(10, 10);
    const MemoryLeft memory(StorageLimit::bytesFor<double>(12, 10) - held);
    EXPECT_THROW(m.setSize(13, 10), StorageRefused);
    EXPECT_NO_THROW(m.setSize(12, 10));
    EXPECT_THROW(const Matrix<double> copy(m), StorageRefused);
    MemoryLeft::set(StorageLimit::bytesFor<double>(12, 11) - 1);
    EXPECT_THROW(m.setSize(12, 11), StorageRefused);
    EXPECT_EQ(m.getColumnCount(), 10u);
    MemoryLeft::set(StorageLimit::bytesFor<double>(12, 11));
    EXPECT_NO_THROW(m.setSize(12, 11));
    MemoryLeft::set(std::size_t{1} << 30);
    EXPECT_THROW(m.setSize(4294967295u, 4294967295u), StorageRefused);
    EXPECT_EQ(StorageLimit::bytesFor<double>(4294967295u, 4294967295u), std::numeric_limits<std::size_t>::max());
    EXPECT_EQ(m.getRowCount(), 12u);
}

// A NaN cannot be typed in: it equals nothing, not even zero.
TEST(PropertyTest, NanEqualsNothing) {
    Matrix<double> m(2, 2);
    m.element(1, 1) = m.element(2, 2) = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(m.isDiagonalMatrix());
    EXPECT_FALSE(m.isScalarMatrix());
    m.element(2, 2) = 0;
    m.element(1, 2) = m.element(1, 1);
    EXPECT_EQ(m.triangularKind(), TriangularKind::Upper);
}

}  // namespace
