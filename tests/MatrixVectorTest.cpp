// Storage operations and property tests of MatrixVector, through Matrix<T>.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <limits>
#include <new>
#include <string>
#include <utility>

#include "matrix/Matrix.h"

namespace {

template <typename T>
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

template <typename Action>
void expectMatrixError(Action action, MatrixError code) {
    try {
        action();
        FAIL() << "expected MatrixException " << static_cast<int>(code);
    } catch (const MatrixException& e) {
        EXPECT_EQ(e.code, static_cast<std::int32_t>(code));
        EXPECT_STREQ(e.text, matrixErrorText(code));
    }
}

template <typename T>
class StorageTest : public ::testing::Test {};
using ElementTypes = ::testing::Types<float, double, std::complex<double>>;
TYPED_TEST_SUITE(StorageTest, ElementTypes);

TYPED_TEST(StorageTest, DefaultMatrixIsThreeByThreeZero) {
    Matrix<TypeParam> m;
    ASSERT_EQ(m.getRowCount(), 3u);
    ASSERT_EQ(m.getColumnCount(), 3u);
    for (std::uint32_t r = 1; r <= 3; ++r) {
        for (std::uint32_t c = 1; c <= 3; ++c) {
            EXPECT_EQ(m.element(r, c), TypeParam{});
        }
    }
}

TYPED_TEST(StorageTest, SetSizeKeepsTopLeftBlockAndZeroFillsTheRest) {
    Matrix<TypeParam> m = filled<TypeParam>(2, 2, {1, 2, 3, 4});
    m.setSize(3, 3);
    EXPECT_EQ(m.element(1, 1), TypeParam(1));
    EXPECT_EQ(m.element(1, 2), TypeParam(2));
    EXPECT_EQ(m.element(2, 1), TypeParam(3));
    EXPECT_EQ(m.element(2, 2), TypeParam(4));
    for (std::uint32_t i = 1; i <= 3; ++i) {
        EXPECT_EQ(m.element(3, i), TypeParam{});
        EXPECT_EQ(m.element(i, 3), TypeParam{});
    }
    m.setSize(1, 1);
    EXPECT_EQ(m.getRowCount(), 1u);
    EXPECT_EQ(m.getColumnCount(), 1u);
    EXPECT_EQ(m.element(1, 1), TypeParam(1));
}

TYPED_TEST(StorageTest, ShrinkThenGrowLeavesZerosWhereValuesWereCut) {
    Matrix<TypeParam> m = filled<TypeParam>(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    m.setSize(2, 3);
    m.setSize(4, 4);
    EXPECT_EQ(m.element(2, 3), TypeParam(6));
    EXPECT_EQ(m.element(3, 1), TypeParam{});
    EXPECT_EQ(m.element(1, 4), TypeParam{});
}

TYPED_TEST(StorageTest, SizeBelowOneIsRefusedAndChangesNothing) {
    Matrix<TypeParam> m = filled<TypeParam>(2, 2, {1, 2, 3, 4});
    expectMatrixError([&] { m.setSize(0, 4); }, MatrixError::SizeBelowOne);
    expectMatrixError([&] { m.setSize(4, 0); }, MatrixError::SizeBelowOne);
    expectMatrixError([] { Matrix<TypeParam> bad(0, 1); }, MatrixError::SizeBelowOne);
    EXPECT_EQ(m.getRowCount(), 2u);
    EXPECT_EQ(m.element(2, 2), TypeParam(4));
}

TYPED_TEST(StorageTest, ElementOutsideTheMatrixIsRefused) {
    Matrix<TypeParam> m(2, 3);
    expectMatrixError([&] { m.element(0, 1); }, MatrixError::IndexOutOfRange);
    expectMatrixError([&] { m.element(1, 0); }, MatrixError::IndexOutOfRange);
    expectMatrixError([&] { m.element(3, 1); }, MatrixError::IndexOutOfRange);
    expectMatrixError([&] { m.element(1, 4); }, MatrixError::IndexOutOfRange);
    m.element(2, 3) = TypeParam(7);
    EXPECT_EQ(m.element(2, 3), TypeParam(7));
}

TYPED_TEST(StorageTest, AssignmentNeedsEqualSizeAndCopiesAllValues) {
    Matrix<TypeParam> target = filled<TypeParam>(3, 2, {1, 1, 1, 1, 1, 1});
    const Matrix<TypeParam> wrongShape = filled<TypeParam>(2, 3, {9, 9, 9, 9, 9, 9});
    expectMatrixError([&] { target = wrongShape; }, MatrixError::SizeMismatch);
    EXPECT_EQ(target.element(3, 2), TypeParam(1));

    Matrix<TypeParam> same(2, 3);
    same = wrongShape;
    for (std::uint32_t r = 1; r <= 2; ++r) {
        for (std::uint32_t c = 1; c <= 3; ++c) {
            EXPECT_EQ(same.element(r, c), TypeParam(9));
        }
    }
}

TYPED_TEST(StorageTest, CopyConstructionTakesTheSourceSize) {
    const Matrix<TypeParam> column = filled<TypeParam>(4, 1, {1, 2, 3, 4});
    const Matrix<TypeParam> copy(column);
    ASSERT_EQ(copy.getRowCount(), 4u);
    ASSERT_EQ(copy.getColumnCount(), 1u);
    EXPECT_EQ(copy.element(4, 1), TypeParam(4));
}

TYPED_TEST(StorageTest, SwapRowsAndColumns) {
    Matrix<TypeParam> m = filled<TypeParam>(3, 2, {1, 2, 3, 4, 5, 6});
    m.swapRows(1, 3);
    EXPECT_EQ(m.element(1, 1), TypeParam(5));
    EXPECT_EQ(m.element(2, 2), TypeParam(4));
    EXPECT_EQ(m.element(3, 2), TypeParam(2));
    m.swapRows(2, 2);
    EXPECT_EQ(m.element(2, 1), TypeParam(3));
    expectMatrixError([&] { m.swapRows(1, 4); }, MatrixError::IndexOutOfRange);
    expectMatrixError([&] { m.swapRows(0, 1); }, MatrixError::IndexOutOfRange);
    EXPECT_EQ(m.element(1, 1), TypeParam(5));

    m.swapColumns(1, 2);
    EXPECT_EQ(m.element(1, 1), TypeParam(6));
    EXPECT_EQ(m.element(1, 2), TypeParam(5));
    expectMatrixError([&] { m.swapColumns(3, 1); }, MatrixError::IndexOutOfRange);
    EXPECT_EQ(m.element(1, 1), TypeParam(6));
}

TYPED_TEST(StorageTest, GetColumnReturnsValuesInRowOrder) {
    const Matrix<TypeParam> m = filled<TypeParam>(3, 2, {1, 2, 3, 4, 5, 6});
    const std::vector<TypeParam> column = m.getColumn(1);
    ASSERT_EQ(column.size(), 3u);
    EXPECT_EQ(column[0], TypeParam(1));
    EXPECT_EQ(column[2], TypeParam(5));
    expectMatrixError([&] { (void)m.getColumn(3); }, MatrixError::ColumnOutOfRange);
    expectMatrixError([&] { (void)m.getColumn(0); }, MatrixError::ColumnOutOfRange);
}

// An element whose construction fails after a set number of them, standing in for the
// allocation of new rows failing.
struct FragileElement {
    static inline int constructionsLeft = -1;
    FragileElement() {
        if (constructionsLeft == 0) {
            throw std::bad_alloc();
        }
        if (constructionsLeft > 0) {
            --constructionsLeft;
        }
    }
    int value = 0;
};

class FragileMatrix : public MatrixVector<FragileElement> {
public:
    FragileMatrix() = default;
};

TEST(SetSizeFailure, AFailingAllocationOfNewRowsLeavesTheOldSizeAndValues) {
    for (const auto& [rows, cols] : {std::pair{5u, 5u}, std::pair{4u, 2u}, std::pair{4u, 8u}}) {
        FragileMatrix m;
        m.element(3, 3).value = 33;
        m.element(1, 2).value = 12;
        FragileElement::constructionsLeft = 1;
        EXPECT_THROW(m.setSize(rows, cols), std::bad_alloc) << rows << " x " << cols;
        FragileElement::constructionsLeft = -1;
        ASSERT_EQ(m.getRowCount(), 3u);
        ASSERT_EQ(m.getColumnCount(), 3u);
        EXPECT_EQ(m.element(3, 3).value, 33);
        EXPECT_EQ(m.element(1, 2).value, 12);
        m.setSize(rows, cols);
        EXPECT_EQ(m.element(1, 2).value, 12);
    }
}

TEST(StorageLimitTest, SizeBeyondTheLimitIsRefusedBeforeTheStorageChanges) {
    Matrix<double> m = filled<double>(2, 2, {1, 2, 3, 4});
    StorageLimit::setLimitForTesting(1000);
    EXPECT_NO_THROW(m.setSize(5, 5));
    m.setSize(2, 2);
    try {
        m.setSize(100, 100);
        FAIL() << "expected a refusal";
    } catch (const char* text) {
        EXPECT_STREQ(text, "Nicht genug Arbeitsspeicher fuer diese Operation.");
    }
    StorageLimit::setLimitForTesting(0);
    EXPECT_EQ(m.getRowCount(), 2u);
    EXPECT_EQ(m.element(2, 2), 4.0);
}

TEST(StorageLimitTest, ACopyThatDoesNotFitIsRefusedBeforeItIsMade) {
    const Matrix<double> source(10, 10);
    StorageLimit::setLimitForTesting(500);
    try {
        const Matrix<double> copy(source);
        FAIL() << "expected a refusal";
    } catch (const char* text) {
        EXPECT_STREQ(text, outOfMemoryText);
    }
    StorageLimit::setLimitForTesting(0);
}

// New rows need only their own memory; rows that must grow are copied, so while they are, the
// old and the new rows are both held.
TEST(StorageLimitTest, NewRowsNeedOnlyTheGrowthWiderRowsTheWholeStorage) {
    Matrix<double> m(10, 10);
    const std::size_t held = StorageLimit::bytesFor<double>(10, 10);
    StorageLimit::setLimitForTesting(StorageLimit::bytesFor<double>(12, 10) - held);
    EXPECT_THROW(m.setSize(13, 10), const char*);
    EXPECT_NO_THROW(m.setSize(12, 10));
    StorageLimit::setLimitForTesting(StorageLimit::bytesFor<double>(12, 11) - 1);
    EXPECT_THROW(m.setSize(12, 11), const char*);
    EXPECT_EQ(m.getColumnCount(), 10u);
    StorageLimit::setLimitForTesting(StorageLimit::bytesFor<double>(12, 11));
    EXPECT_NO_THROW(m.setSize(12, 11));
    StorageLimit::setLimitForTesting(0);
}

TEST(StorageLimitTest, TheRealLimitIsPositiveAndBelowTheAddressSpace) {
    const std::size_t limit = StorageLimit::limit();
    EXPECT_GT(limit, 0u);
    EXPECT_LT(limit, std::size_t{1} << 50);
}

TEST(StorageLimitTest, TheLargestCountsNeverOverflowTheSizeComputation) {
    EXPECT_EQ(StorageLimit::bytesFor<double>(4294967295u, 4294967295u), std::numeric_limits<std::size_t>::max());
    Matrix<double> m;
    EXPECT_THROW(m.setSize(4294967295u, 4294967295u), const char*);
    EXPECT_THROW(m.setSize(200000, 200000), const char*);
    EXPECT_EQ(m.getRowCount(), 3u);
}

TEST(MatrixExceptionTest, EveryCodeHasItsTextAndFitsTheField) {
    const MatrixError codes[] = {MatrixError::SizeBelowOne,
                                 MatrixError::IndexOutOfRange,
                                 MatrixError::SizeMismatch,
                                 MatrixError::ColumnOutOfRange,
                                 MatrixError::ProductSizes,
                                 MatrixError::VectorLengths,
                                 MatrixError::SumSizes,
                                 MatrixError::DifferenceSizes,
                                 MatrixError::NotColumnVectors,
                                 MatrixError::NotSquare,
                                 MatrixError::Singular,
                                 MatrixError::ConstantsNotColumn,
                                 MatrixError::SolutionNotColumn,
                                 MatrixError::ConstantsSolutionRows,
                                 MatrixError::ConstantsEquationRows};
    std::size_t longest = 0;
    for (MatrixError code : codes) {
        const MatrixException e(code);
        EXPECT_STREQ(e.text, matrixErrorText(code));
        longest = std::max(longest, std::strlen(e.text));
        const MatrixException copy = e;
        EXPECT_EQ(copy.code, e.code);
        EXPECT_STREQ(copy.text, e.text);
    }
    EXPECT_EQ(longest, 117u);
    EXPECT_STREQ(matrixErrorText(MatrixError::Singular), "Zu dieser Matrix gibt es keine Inverse (Determinante = 0).");
}

// Properties: exact comparisons, no tolerance.
TEST(PropertyTest, ZeroMatrixIsSquareScalarAndDiagonalButNotIdentity) {
    const Matrix<double> m;
    EXPECT_TRUE(m.isSquare());
    EXPECT_TRUE(m.isZeroMatrix());
    EXPECT_TRUE(m.isScalarMatrix());
    EXPECT_TRUE(m.isUpperTriangular());
    EXPECT_TRUE(m.isLowerTriangular());
    EXPECT_EQ(m.triangularKind(), TriangularKind::Diagonal);
    EXPECT_FALSE(m.isIdentityMatrix());
    EXPECT_FALSE(m.isColumnVector());
    EXPECT_FALSE(m.isRowVector());
}

TEST(PropertyTest, ScalarAndIdentityNeedEqualDiagonals) {
    const Matrix<double> identity = filled<double>(3, 3, {1, 0, 0, 0, 1, 0, 0, 0, 1});
    EXPECT_TRUE(identity.isIdentityMatrix());
    EXPECT_TRUE(identity.isScalarMatrix());
    EXPECT_FALSE(identity.isZeroMatrix());
    const Matrix<double> twos = filled<double>(3, 3, {2, 0, 0, 0, 2, 0, 0, 0, 2});
    EXPECT_TRUE(twos.isScalarMatrix());
    EXPECT_FALSE(twos.isIdentityMatrix());
    const Matrix<double> steps = filled<double>(3, 3, {1, 0, 0, 0, 2, 0, 0, 0, 3});
    EXPECT_TRUE(steps.isDiagonalMatrix());
    EXPECT_FALSE(steps.isScalarMatrix());
}

TEST(PropertyTest, NonSquareMatrixHasNoneOfTheSquareProperties) {
    const Matrix<double> m(2, 3);
    EXPECT_FALSE(m.isSquare());
    EXPECT_FALSE(m.isZeroMatrix());
    EXPECT_FALSE(m.isUpperTriangular());
    EXPECT_FALSE(m.isLowerTriangular());
    EXPECT_EQ(m.triangularKind(), TriangularKind::None);
    EXPECT_FALSE(m.isColumnVector());
    EXPECT_FALSE(m.isRowVector());
}

TEST(PropertyTest, VectorsNeedAtLeastTwoEntries) {
    EXPECT_TRUE(Matrix<double>(3, 1).isColumnVector());
    EXPECT_FALSE(Matrix<double>(3, 1).isRowVector());
    EXPECT_TRUE(Matrix<double>(1, 3).isRowVector());
    EXPECT_FALSE(Matrix<double>(1, 1).isColumnVector());
    EXPECT_FALSE(Matrix<double>(1, 1).isRowVector());
    EXPECT_FALSE(Matrix<double>(2, 2).isColumnVector());
}

TEST(PropertyTest, OneByOneMatrixDependsOnItsValue) {
    Matrix<double> m(1, 1);
    m.element(1, 1) = 5;
    EXPECT_TRUE(m.isScalarMatrix());
    EXPECT_EQ(m.triangularKind(), TriangularKind::Diagonal);
    EXPECT_FALSE(m.isZeroMatrix());
    EXPECT_FALSE(m.isIdentityMatrix());
    m.element(1, 1) = 1;
    EXPECT_TRUE(m.isIdentityMatrix());
    m.element(1, 1) = -0.0;
    EXPECT_TRUE(m.isZeroMatrix());
}

TEST(PropertyTest, TinyValuesAreNotZero) {
    const Matrix<float> m = filled<float>(2, 2, {1, 0, 1e-30, 1});
    EXPECT_FALSE(m.isIdentityMatrix());
    EXPECT_FALSE(m.isUpperTriangular());
    EXPECT_TRUE(m.isLowerTriangular());
    EXPECT_EQ(m.triangularKind(), TriangularKind::Lower);

    Matrix<std::complex<double>> c(2, 2);
    c.element(1, 1) = c.element(2, 2) = {1, 0};
    c.element(1, 2) = c.element(2, 1) = {0, 1e-300};
    EXPECT_FALSE(c.isIdentityMatrix());
    EXPECT_FALSE(c.isDiagonalMatrix());
}

TEST(PropertyTest, NanEqualsNothing) {
    Matrix<double> m = filled<double>(2, 2, {1, 0, 0, 1});
    m.element(2, 2) = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(m.isDiagonalMatrix());
    EXPECT_FALSE(m.isScalarMatrix());
    EXPECT_FALSE(m.isIdentityMatrix());
    m.element(2, 2) = 1;
    m.element(1, 2) = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(m.isDiagonalMatrix());
    EXPECT_EQ(m.triangularKind(), TriangularKind::Upper);
}

TEST(PropertyTest, UpperAndLowerAreReportedInClassificationOrder) {
    EXPECT_EQ(filled<double>(2, 2, {1, 2, 0, 3}).triangularKind(), TriangularKind::Upper);
    EXPECT_EQ(filled<double>(2, 2, {1, 0, 2, 3}).triangularKind(), TriangularKind::Lower);
    EXPECT_EQ(filled<double>(2, 2, {1, 2, 3, 4}).triangularKind(), TriangularKind::None);
}

}  // namespace
