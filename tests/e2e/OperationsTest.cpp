// The arithmetic and matrix-operations menus and the equation solver, driven through a pipe:
// result screens, error displays, and the matrices left as they were.
#include <gtest/gtest.h>

#include "e2e/Program.h"
#include "e2e/Screens.h"
#include "e2e/Session.h"

using namespace screens;

namespace {

std::string result(const std::string& shown) {
    return banner + "\nErgebnis: \n\n" + shown + "\n\n" + pausePrompt;
}
std::string failed(const std::string& text) {
    return banner + libraryError(text) + pausePrompt;
}

const std::string notSquare = "Es liegt keine quadratische Matrix vor.";
const std::string singular = "Zu dieser Matrix gibt es keine Inverse (Determinante = 0).";
const std::string sizeBelowOne = "Die Angabe der Zeilenanzahl und/oder Spaltenanzahl ist kleiner als 1.";

std::vector<std::string> runScreens(const std::string& keys, std::string* errors = nullptr) {
    const PipedRun run = runPiped(keys);
    EXPECT_EQ(run.exitStatus, 0);
    if (errors != nullptr) {
        *errors = run.err;
    } else {
        EXPECT_EQ(run.err, "");
    }
    return nonMenuScreens(run.out);
}

TEST(OperationMenus, FreshZeroMatricesOnEveryElementType) {
    const char* zeros[] = {"0", "0", "(0,0)", "0"};
    const char* zeroRow[] = {"0\t0\t0\t\n", "0\t0\t0\t\n", "(0,0)\t(0,0)\t(0,0)\t\n", "0\t0\t0\t\n"};
    for (int type = 1; type <= 4; ++type) {
        const std::vector<std::string> shown = runScreens(Session(type).arithmetic(1).operation(1).operation(5).end());
        ASSERT_EQ(shown.size(), 3u) << type;
        EXPECT_EQ(shown[0], result(repeat(zeroRow[type - 1], 3))) << type;
        EXPECT_EQ(shown[1], result(zeros[type - 1])) << type;
        EXPECT_EQ(shown[2], failed(singular)) << type;
    }
}

TEST(OperationMenus, SizeErrorsShowTheTextAndNoResultLine) {
    const std::vector<std::string> shown = runScreens(Session(2)
                                                          .input(1, "2\n3\n")
                                                          .input(3, "1 2 3 4 5 6\n")
                                                          .input(4, "1 0 0 0 1 0 0 0 1\n")
                                                          .arithmetic(1)
                                                          .arithmetic(2)
                                                          .arithmetic(3)
                                                          .operation(1)
                                                          .operation(3)
                                                          .operation(5)
                                                          .end());
    ASSERT_EQ(shown.size(), 9u);
    EXPECT_EQ(
        shown[3],
        failed("Die beiden zu addierenden Matrizen stimmen nicht in der Anzahl der Zeilen und Spalten ueberein."));
    EXPECT_EQ(
        shown[4],
        failed("Die beiden zu subtrahierenden Matrizen stimmen nicht in der Anzahl der Zeilen und Spalten ueberein."));
    EXPECT_EQ(shown[5], result("1\t2\t3\t\n4\t5\t6\t\n"));
    EXPECT_EQ(shown[6], failed(notSquare));
    EXPECT_EQ(shown[7], failed(notSquare));
    EXPECT_EQ(shown[8], failed(notSquare));
}

TEST(OperationMenus, DifferenceSubtractsMatrix2FromMatrix1) {
    const std::vector<std::string> shown = runScreens(
        Session(2).input(1, "1\n1\n").input(2, "1\n1\n").input(3, "5\n").input(4, "3\n").arithmetic(2).end());
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[4], result("2\t\n"));
}

TEST(OperationMenus, ColumnVectorsGiveTheirVectorProduct) {
    const std::vector<std::string> shown = runScreens(Session(2)
                                                          .input(1, "3\n1\n")
                                                          .input(2, "3\n1\n")
                                                          .input(3, "1 2 3\n")
                                                          .input(4, "4 5 6\n")
                                                          .arithmetic(3)
                                                          .input(1, "2\n1\n")
                                                          .input(2, "2\n1\n")
                                                          .arithmetic(3)
                                                          .input(2, "4\n1\n")
                                                          .arithmetic(3)
                                                          .end());
    ASSERT_EQ(shown.size(), 10u);
    EXPECT_EQ(shown[4], result("-3\t\n6\t\n-3\t\n"));
    // Two components: (a2 b1 - a1 b2, a1 b2 - a2 b1) with a = (1, 2), b = (4, 5).
    EXPECT_EQ(shown[7], result("3\t\n-3\t\n"));
    EXPECT_EQ(shown[9], failed("Bei den Spaltenvektoren liegt keine gleiche Anzahl an Zeilen vor, daher kann das "
                               "Vektorprodukt nicht gebildet werden."));
}

TEST(OperationMenus, FractionInverseIsExactAndDeterminantReduced) {
    const std::vector<std::string> shown = runScreens(
        Session(4).input(1, "2\n2\n").input(3, "4/1 7/1\n2/1 6/1\n").operation(1).operation(3).operation(5).end());
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[2], result("10"));
    EXPECT_EQ(shown[3], result("6\t-7\t\n-2\t4\t\n"));
    EXPECT_EQ(shown[4], result("3/5\t-7/10\t\n-1/5\t2/5\t\n"));
}

TEST(OperationMenus, NegativeZerosOfTheAdjugateAndInverseAreShown) {
    const std::vector<std::string> shown =
        runScreens(Session(2).input(1, "2\n2\n").input(3, "1 0 0 1\n").operation(3).operation(5).operation(4).end());
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[2], result("1\t-0\t\n-0\t1\t\n"));
    EXPECT_EQ(shown[3], result("1\t-0\t\n-0\t1\t\n"));
    EXPECT_EQ(shown[4], result("0\t-0\t0\t\n-0\t0\t-0\t\n0\t-0\t0\t\n"));
}

TEST(OperationMenus, OneByOneAdjugateIsRefusedWithTheSizeText) {
    const std::vector<std::string> shown =
        runScreens(Session(2).input(1, "1\n1\n").input(3, "5\n").operation(3).operation(5).end());
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[2], failed(sizeBelowOne));
    EXPECT_EQ(shown[3], failed(sizeBelowOne));
}

TEST(OperationMenus, TheMatricesAreUnchangedAfterEveryEntry) {
    Session session(4);
    session.input(1, "2\n2\n").input(3, "1/2 2/4\n0/1 3/1\n").input(2, "2\n2\n").input(4, "1 / 3 4/1\n-2/6 0/5\n");
    for (int entry = 1; entry <= 3; ++entry) {
        session.arithmetic(entry);
    }
    for (int entry = 1; entry <= 6; ++entry) {
        session.operation(entry);
    }
    session.solver("1\n2/1\n1/1\n");
    const std::vector<std::string> shown = runScreens(session.show(1).show(2).end());
    ASSERT_GE(shown.size(), 2u);
    EXPECT_NE(shown[shown.size() - 2].find("Werte der Matrix: \n\n1/2\t2/4\t\n0\t3\t\n\n"), std::string::npos);
    EXPECT_NE(shown.back().find("Werte der Matrix: \n\n1/3\t4\t\n-2/6\t0\t\n\n"), std::string::npos);
}

TEST(OperationMenus, EnterAfterAResultRunsTheSameEntryAgain) {
    const std::string keys =
        Session(2).partial() + MenuWalk(7).pick(4) + down + enter + "x" + enter + "x" + up + up + enter + up + enter;
    const std::vector<std::string> shown = runScreens(keys);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], result("0"));
    EXPECT_EQ(shown[1], result("0"));
}

const std::string solverStart = banner + "\nGleichungsloeser:\n\nAnzahl der Koeffizienten: ";

TEST(SolverDialog, UniqueSolutionOfTwoEquations) {
    const std::vector<std::string> shown = runScreens(Session(2).solver("2\n1 1\n1 -1\n3 1\n").end());
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0], solverStart);
    EXPECT_EQ(shown[1], valueEntryHeader("Geben Sie bitte die Koeffizientenmatrix ein: ") +
                            "Zeile 1 , Spalte 1 = Zeile 1 , Spalte 2 = Zeile 2 , Spalte 1 = Zeile 2 , Spalte 2 = ");
    EXPECT_EQ(shown[2], valueEntryHeader("Geben Sie bitte den Spaltenvektor der absoluten Glieder ein: ") +
                            "Zeile 1 , Spalte 1 = Zeile 2 , Spalte 1 = ");
    EXPECT_EQ(shown[3], banner + "\nErgebnis: \n\nx1 = 2\nx2 = 1\n\n" + pausePrompt);
}

TEST(SolverDialog, NoSolutionAndInfinitelyMany) {
    const std::vector<std::string> shown =
        runScreens(Session(2).solver("2\n0 0 0 0\n0 0\n").solver("2\n0 0 0 0\n0 1\n").solver("1\n4\n2\n").end());
    ASSERT_EQ(shown.size(), 12u);
    EXPECT_EQ(shown[3],
              banner + "\nErgebnis: \n\nDas Gleichungssystem hat unendlich viele Loesungen.\n\n" + pausePrompt);
    EXPECT_EQ(shown[7], banner + "\nErgebnis: \n\nDas Gleichungssystem hat keine Loesung.\n\n" + pausePrompt);
    EXPECT_EQ(shown[11], banner + "\nErgebnis: \n\nx1 = 0.5\n\n" + pausePrompt);
}

TEST(SolverDialog, FractionAndComplexSolutionsInTheirForms) {
    EXPECT_EQ(runScreens(Session(4).solver("1\n2/1\n1/1\n").end()).back(),
              banner + "\nErgebnis: \n\nx1 = 1/2\n\n" + pausePrompt);
    EXPECT_EQ(runScreens(Session(3).solver("1\n(0,1)\n(1,0)\n").end()).back(),
              banner + "\nErgebnis: \n\nx1 = (0,-1)\n\n" + pausePrompt);
}

TEST(SolverDialog, CountZeroIsRefusedAndUnreadableCountsAskedAgain) {
    const std::vector<std::string> zero = runScreens(Session(2).solver("0\n").end());
    ASSERT_EQ(zero.size(), 1u);
    EXPECT_EQ(zero[0], solverStart + libraryError(sizeBelowOne) + pausePrompt);

    std::string errors;
    const std::vector<std::string> retried = runScreens(Session(2).solver("zwei\n1\n3\n6\n").end(), &errors);
    EXPECT_EQ(errors, thrownError("Eingabefehler (Ganzzahl)"));
    ASSERT_EQ(retried.size(), 4u);
    EXPECT_EQ(retried[0], solverStart + "\nAnzahl der Koeffizienten: ");
    EXPECT_EQ(retried[3], banner + "\nErgebnis: \n\nx1 = 2\n\n" + pausePrompt);
}

TEST(SolverDialog, CountTooLargeToStoreIsRefusedWithAClearText) {
    std::string errors;
    const std::vector<std::string> shown = runScreens(Session(2).solver("4000000000\n").end(), &errors);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], solverStart + pausePrompt);
    EXPECT_EQ(errors, thrownError("Nicht genug Arbeitsspeicher fuer diese Operation."));
}

TEST(SolverDialog, BadCoefficientsAreAskedAgain) {
    std::string errors;
    const std::vector<std::string> shown = runScreens(Session(4).solver("1\n1,2\n2/1\nx\n1/1\n").end(), &errors);
    EXPECT_EQ(errors, thrownError("Eingabefehler (Bruchzahl)") + thrownError("Eingabefehler (Bruchzahl)"));
    EXPECT_EQ(shown.back(), banner + "\nErgebnis: \n\nx1 = 1/2\n\n" + pausePrompt);
}

}  // namespace
