// Sizes and values typed through the dialogs, and the matrices shown by the output menu,
// driven through a pipe for every element type.
#include <gtest/gtest.h>

#include "e2e/Program.h"
#include "e2e/Screens.h"
#include "e2e/Session.h"

using namespace screens;

namespace {

const std::vector<std::string> noProperties{"Nein", "Nein", "Nein", "Nein", "keine", "Nein", "Nein"};
const std::vector<std::string> onlySquare{"Ja", "Nein", "Nein", "Nein", "keine", "Nein", "Nein"};

TEST(SizeDialog, ResizingKeepsTheTopLeftBlock) {
    const std::string keys =
        Session(2).input(3, "1 2 3\n4 5 6\n7 8 9\n").input(1, "2\n3\n").show(1).input(1, "4\n4\n").show(1).end();
    const PipedRun run = runPiped(keys);
    ASSERT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> shown = nonMenuScreens(run.out);
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[1], sizeDialog());
    EXPECT_EQ(shown[2], matrixDisplay("2", "3", noProperties, "1\t2\t3\t\n4\t5\t6\t\n"));
    EXPECT_EQ(shown[4], matrixDisplay("4", "4", {"Ja", "Nein", "Nein", "Nein", "keine", "Nein", "Nein"},
                                      "1\t2\t3\t0\t\n4\t5\t6\t0\t\n0\t0\t0\t0\t\n0\t0\t0\t0\t\n"));
}

TEST(SizeDialog, CountsBelowOneAreRefusedAndTheMatrixKeepsItsSize) {
    for (const std::string counts : {"0\n4\n", "-2\n3\n", "3\n0\n"}) {
        const std::string keys = Session(2).input(1, counts + "x").show(1).end();
        const PipedRun run = runPiped(keys);
        ASSERT_EQ(run.exitStatus, 0);
        const std::vector<std::string> shown = nonMenuScreens(run.out);
        ASSERT_EQ(shown.size(), 2u) << counts;
        EXPECT_EQ(shown[0], sizeDialog() +
                                libraryError("Die Angabe der Zeilenanzahl und/oder Spaltenanzahl ist kleiner als 1.") +
                                pausePrompt);
        EXPECT_EQ(shown[1], matrixDisplay("3", "3", {"Ja", "Ja", "Nein", "Ja", diagonalWord, "Nein", "Nein"},
                                          "0\t0\t0\t\n0\t0\t0\t\n0\t0\t0\t\n"));
    }
}

TEST(SizeDialog, UnreadableCountsAreAskedAgainAndHugeSizesRefused) {
    // Letters, a count beyond 32 bits, then a size whose storage cannot be had.
    const std::string keys =
        Session(2).input(1, "abc\n2\n99999999999\n1\n").input(2, "200000\n200000\nx").show(2).show(1).end();
    const PipedRun run = runPiped(keys);
    ASSERT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, thrownError("Eingabefehler (Ganzzahl)") + thrownError("Eingabefehler (Ganzzahl)") +
                           thrownError("Nicht genug Arbeitsspeicher fuer diese Operation."));
    const std::vector<std::string> shown = nonMenuScreens(run.out);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0], banner + "\nGeben Sie bitte folgende Daten ein:\n\n" +
                            "Anzahl der Zeilen = Anzahl der Zeilen = " + "Anzahl der Spalten = Anzahl der Spalten = ");
    EXPECT_EQ(shown[1], sizeDialog() + pausePrompt);
    EXPECT_NE(shown[2].find("Zeilen:3\nSpalten: 3\n"), std::string::npos);
    EXPECT_EQ(shown[3], matrixDisplay("2", "1", {"Nein", "Nein", "Nein", "Nein", "keine", "Ja", "Nein"}, "0\t\n0\t\n"));
}

TEST(ValueEntry, PromptsComeInRowOrderAndOneLineMayAnswerSeveral) {
    const std::string keys = Session(1).input(1, "2\n2\n").input(3, "1 2.5\n-3\n1e-3\n").show(1).end();
    const PipedRun run = runPiped(keys);
    ASSERT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> shown = nonMenuScreens(run.out);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[1], valueEntryHeader() + "Zeile 1 , Spalte 1 = Zeile 1 , Spalte 2 = Zeile 2 , Spalte 1 = " +
                            "Zeile 2 , Spalte 2 = ");
    EXPECT_EQ(shown[2], matrixDisplay("2", "2", onlySquare, "1\t2.5\t\n-3\t0.001\t\n"));
}

TEST(ValueEntry, FractionsAreShownAsTyped) {
    const std::string keys = Session(4).input(1, "1\n3\n").input(3, "2/4 -3 / 6\n5\n/\n1\n").show(1).end();
    const PipedRun run = runPiped(keys);
    ASSERT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> shown = nonMenuScreens(run.out);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2],
              matrixDisplay("1", "3", {"Nein", "Nein", "Nein", "Nein", "keine", "Nein", "Ja"}, "2/4\t-3/6\t5\t\n"));
}

TEST(ValueEntry, ComplexNumbersInAllThreeForms) {
    const std::string keys = Session(3).input(1, "2\n2\n").input(3, "(1,2) ( 0 , -1 )\n3 (4.5)\n").show(1).end();
    const PipedRun run = runPiped(keys);
    ASSERT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> shown = nonMenuScreens(run.out);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2], matrixDisplay("2", "2", onlySquare, "(1,2)\t(0,-1)\t\n(3,0)\t(4.5,0)\t\n"));
}

TEST(ValueEntry, BadValuesAreAskedAgainAndEarlierValuesKept) {
    struct Case {
        int type;
        std::string typed;
        std::string errors;
        std::string table;
    };
    const Case cases[] = {
        {1, "1 abc\n2\n", thrownError("Eingabefehler (Dezimalzahl)"), "1\t2\t\n"},
        // The comma ends the first number; the rest of the line is the error.
        {1, "1,5\n7\n", thrownError("Eingabefehler (Dezimalzahl)"), "1\t7\t\n"},
        {2, "1e999\n4 5\n", thrownError("Eingabefehler (Dezimalzahl)"), "4\t5\t\n"},
        {3, "(1;2)\n(1,2)\n\n\n3\n", thrownError("Eingabefehler (komplexe Zahl)"), "(1,2)\t(3,0)\t\n"},
        {4, "1/0\n1,2\n1/2 x/3\n3/4\n",
         thrownError("Eingabefehler (Bruchzahl)") + thrownError("Eingabefehler (Bruchzahl)") +
             thrownError("Eingabefehler (Bruchzahl)"),
         "1/2\t3/4\t\n"},
        {4, "99999999999999999999/0\n1/-2 3/1\n", thrownError("Eingabefehler (Bruchzahl)"), "1/-2\t3\t\n"},
    };
    for (const Case& c : cases) {
        const std::string keys = Session(c.type).input(1, "1\n2\n").input(3, c.typed).show(1).end();
        const PipedRun run = runPiped(keys);
        ASSERT_EQ(run.exitStatus, 0) << c.typed;
        EXPECT_EQ(run.err, c.errors) << c.typed;
        const std::vector<std::string> shown = nonMenuScreens(run.out);
        ASSERT_EQ(shown.size(), 3u) << c.typed;
        EXPECT_NE(shown[2].find("Werte der Matrix: \n\n" + c.table + "\n"), std::string::npos) << c.typed << shown[2];
    }
}

TEST(ValueEntry, EndOfInputInTheMiddleEndsWithStatusOne) {
    const PipedRun run = runPiped(Session(2).input(3, "1 2\n3").partial());
    EXPECT_EQ(run.exitStatus, 1);
    const PipedRun fraction = runPiped(Session(4).input(3, "1/2\n3").partial());
    EXPECT_EQ(fraction.exitStatus, 1);
    EXPECT_EQ(fraction.err, "");
}

TEST(OutputMenu, IdentityAndVectorsAnswerTheirQuestions) {
    const std::string keys = Session(2).input(3, "1 0 0 0 1 0 0 0 1\n").input(2, "3\n1\n").show(1).show(2).end();
    const PipedRun run = runPiped(keys);
    ASSERT_EQ(run.exitStatus, 0);
    const std::vector<std::string> shown = nonMenuScreens(run.out);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[2], matrixDisplay("3", "3", {"Ja", "Nein", "Ja", "Ja", diagonalWord, "Nein", "Nein"},
                                      "1\t0\t0\t\n0\t1\t0\t\n0\t0\t1\t\n"));
    EXPECT_EQ(shown[3],
              matrixDisplay("3", "1", {"Nein", "Nein", "Nein", "Nein", "keine", "Ja", "Nein"}, "0\t\n0\t\n0\t\n"));
}

TEST(OutputMenu, TheSelectionStaysOnTheEntryJustUsed) {
    // Show Matrix 2, then Enter at once shows Matrix 2 again.
    const std::string keys =
        choose(2) + MenuWalk(7).pick(2) + down + enter + "x" + enter + "x" + down + enter + up + enter;
    const PipedRun run = runPiped(keys);
    ASSERT_EQ(run.exitStatus, 0);
    EXPECT_EQ(nonMenuScreens(run.out).size(), 2u);
}

TEST(ChangingTheType, DiscardsTheEnteredValues) {
    const std::string keys = Session(2).input(3, "1 2 3 4 5 6 7 8 9\n").changeType(2).show(1).end();
    const PipedRun run = runPiped(keys);
    ASSERT_EQ(run.exitStatus, 0);
    const std::vector<std::string> shown = nonMenuScreens(run.out);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NE(shown[1].find("Werte der Matrix: \n\n0\t0\t0\t\n0\t0\t0\t\n0\t0\t0\t\n"), std::string::npos);
}

}  // namespace
