// The storage of every matrix: resizing, element access, exchanges, copies, the memory check
// before each allocation, and the structural properties.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <new>
#include <set>
#include <sstream>
#include <string>

#include "fuzz/ProgramRun.h"
#include "matrix/Matrix.h"

namespace {

// Row by row, as typed into the value dialog.
template <typename T = double>
Matrix<T> filled(std::uint32_t rows, std::uint32_t cols, std::initializer_list<double> values) {
    Matrix<T> m(rows, cols);
    auto it = values.begin();
    for (std::uint32_t r = 1; r <= rows; ++r) {
        for (std::uint32_t c = 1; c <= cols; ++c) {
            m.element(r, c) = T(*it++);
        }
    }
    return m;
}

template <typename T>
std::string table(const Matrix<T>& m) {
    std::ostringstream text;
    for (std::uint32_t r = 1; r <= m.getRowCount(); ++r) {
        for (std::uint32_t c = 1; c <= m.getColumnCount(); ++c) {
            text << std::real(m.element(r, c)) << (c < m.getColumnCount() ? " " : r < m.getRowCount() ? "|" : "");
        }
    }
    return text.str();
}

template <typename Action>
MatrixError thrownCode(Action action) {
    try {
        action();
    } catch (const MatrixException& e) {
        return static_cast<MatrixError>(e.code);
    }
    return MatrixError{};
}

template <typename T>
class StorageTest : public ::testing::Test {};
using ElementTypes = ::testing::Types<float, double, std::complex<double>>;
TYPED_TEST_SUITE(StorageTest, ElementTypes);

TYPED_TEST(StorageTest, ResizingKeepsTheTopLeftBlockAndFillsNewPlacesWithZero) {
    Matrix<TypeParam> m;
    EXPECT_EQ(table(m), "0 0 0|0 0 0|0 0 0");
    m = filled<TypeParam>(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    m.setSize(2, 3);
    m.setSize(4, 2);
    EXPECT_EQ(table(m), "1 2|4 5|0 0|0 0");
    m.setSize(1, 4);
    EXPECT_EQ(table(m), "1 2 0 0");
}

TYPED_TEST(StorageTest, OutOfRangeIndicesAreRefusedAndChangeNothing) {
    Matrix<TypeParam> m = filled<TypeParam>(3, 2, {1, 2, 3, 4, 5, 6});
    const auto index = MatrixError::IndexOutOfRange;
    const std::pair<std::uint32_t, std::uint32_t> outside[] = {{0, 1}, {1, 0}, {4, 1}, {1, 3}};
    for (const auto& [row, col] : outside) {
        EXPECT_EQ(thrownCode([&] { m.element(row, col); }), index) << row << ", " << col;
    }
    // A 3 x 2 matrix: column 3 is outside although row 3 exists.
    EXPECT_EQ(thrownCode([&] { m.swapColumns(1, 3); }), index);
    EXPECT_EQ(thrownCode([&] { m.swapColumns(3, 1); }), index);
    EXPECT_EQ(thrownCode([&] { m.swapColumns(0, 1); }), index);
    EXPECT_EQ(thrownCode([&] { m.swapRows(1, 4); }), index);
    EXPECT_EQ(thrownCode([&] { m.swapRows(0, 1); }), index);
    EXPECT_EQ(thrownCode([&] { (void)m.getColumn(3); }), MatrixError::ColumnOutOfRange);
    EXPECT_EQ(thrownCode([&] { (void)m.getColumn(0); }), MatrixError::ColumnOutOfRange);
    EXPECT_EQ(thrownCode([&] { m.setSize(0, 4); }), MatrixError::SizeBelowOne);
    EXPECT_EQ(thrownCode([&] { m.setSize(4, 0); }), MatrixError::SizeBelowOne);
    EXPECT_EQ(thrownCode([] { Matrix<TypeParam> bad(0, 1); }), MatrixError::SizeBelowOne);
    Matrix<TypeParam> other(2, 3);
    EXPECT_EQ(thrownCode([&] { other = m; }), MatrixError::SizeMismatch);
    EXPECT_EQ(table(m), "1 2|3 4|5 6");
    EXPECT_EQ(table(other), "0 0 0|0 0 0");
}

TYPED_TEST(StorageTest, ExchangesCopiesAndColumnsMoveWholeValues) {
    Matrix<TypeParam> m = filled<TypeParam>(3, 2, {1, 2, 3, 4, 5, 6});
    m.swapRows(1, 3);
    m.swapRows(2, 2);
    EXPECT_EQ(table(m), "5 6|3 4|1 2");
    m.swapColumns(2, 1);
    m.swapColumns(1, 1);
    EXPECT_EQ(table(m), "6 5|4 3|2 1");
    const std::vector<TypeParam> column = m.getColumn(2);
    EXPECT_EQ(column, (std::vector<TypeParam>{TypeParam(5), TypeParam(3), TypeParam(1)}));
    const Matrix<TypeParam> copy(m);
    Matrix<TypeParam> assigned(3, 2);
    assigned = m;
    EXPECT_EQ(table(copy), table(m));
    EXPECT_EQ(table(assigned), table(m));
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
    program_run::setMemoryLeft(StorageLimit::bytesFor<double>(12, 10) - held);
    EXPECT_THROW(m.setSize(13, 10), const char*);
    EXPECT_NO_THROW(m.setSize(12, 10));
    EXPECT_THROW(const Matrix<double> copy(m), const char*);
    program_run::setMemoryLeft(StorageLimit::bytesFor<double>(12, 11) - 1);
    EXPECT_THROW(m.setSize(12, 11), const char*);
    EXPECT_EQ(m.getColumnCount(), 10u);
    program_run::setMemoryLeft(StorageLimit::bytesFor<double>(12, 11));
    EXPECT_NO_THROW(m.setSize(12, 11));
    program_run::setMemoryLeft(std::size_t{1} << 30);
    try {
        m.setSize(4294967295u, 4294967295u);
        FAIL() << "the largest size must not fit";
    } catch (const char* text) {
        EXPECT_STREQ(text, "Nicht genug Arbeitsspeicher fuer diese Operation.");
    }
    EXPECT_EQ(StorageLimit::bytesFor<double>(4294967295u, 4294967295u), std::numeric_limits<std::size_t>::max());
    EXPECT_EQ(m.getRowCount(), 12u);
}

TEST(MatrixExceptionTest, EveryCodeHasATextOfItsOwnThatFitsTheField) {
    std::set<std::string> texts;
    for (int code : {100, 103, 104, 106, 200, 201, 202, 203, 204, 300, 301, 400, 401, 402, 403}) {
        const MatrixException e(static_cast<MatrixError>(code));
        EXPECT_EQ(e.code, code);
        EXPECT_EQ(e.text[std::strlen(e.text) - 1], '.') << code;
        texts.insert(e.text);
    }
    EXPECT_EQ(texts.size(), 15u);
}

// The other properties are pinned down by the transcripts; a NaN cannot be typed in.
TEST(PropertyTest, NanEqualsNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Matrix<double> m = filled(2, 2, {1, 0, 0, nan});
    EXPECT_TRUE(m.isDiagonalMatrix());
    EXPECT_FALSE(m.isScalarMatrix());
    EXPECT_FALSE(m.isIdentityMatrix());
    m = filled(2, 2, {1, nan, 0, 1});
    EXPECT_FALSE(m.isDiagonalMatrix());
    EXPECT_EQ(m.triangularKind(), TriangularKind::Upper);
}

}  // namespace
