// Long computations and big matrices: the progress line on a terminal, Ctrl-C cancelling only
// the computation, and memory that cannot be had refused with a clear text.
#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include "e2e/Program.h"
#include "e2e/Screens.h"
#include "e2e/Session.h"

using namespace screens;

namespace {

// A dense matrix with no zero pivot, typed one row per line.
std::string denseRows(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            text += std::to_string((i * 7 + j * 13) % 11 + (i == j ? 20 : 0));
            text += j < n ? ' ' : '\n';
        }
    }
    return text;
}

TEST(LongComputation, CtrlCCancelsTheAdjugateAndKeepsTheMatrices) {
    constexpr int n = 150;
    TerminalSession session;
    ASSERT_TRUE(session.waitFor("Programm beenden"));
    session.type(choose(2) + enter + enter);
    ASSERT_TRUE(session.waitFor("Anzahl der Zeilen = "));
    session.type(std::to_string(n) + "\n" + std::to_string(n) + "\n");
    ASSERT_TRUE(session.waitFor("Eingabe - Menue: "));
    session.type(down + down + enter);
    ASSERT_TRUE(session.waitFor("Zeile 1 , Spalte 1 = "));
    session.type(denseRows(n));
    ASSERT_TRUE(session.waitFor("Eingabe - Menue: ", 30000));
    // Back to the main menu, then "Adjunkte Matrix 1" in the matrix-operations menu.
    session.type(down + down + enter);
    ASSERT_TRUE(session.waitFor("Hauptmenue: "));
    session.type(down + down + down + enter);
    ASSERT_TRUE(session.waitFor("Matrix - Operationen - Menue: "));
    session.type(down + down + enter);
    ASSERT_TRUE(session.waitFor("Berechnung laeuft ... ", 10000));
    // Stopped and continued, the computation goes on and its progress line comes back.
    session.sendSignal(SIGTSTP);
    ASSERT_TRUE(session.waitUntilStopped());
    session.takeOutput();
    session.sendSignal(SIGCONT);
    ASSERT_TRUE(session.waitFor("\rBerechnung laeuft ... "));
    session.type("\x03");
    ASSERT_TRUE(session.waitFor("Berechnung abgebrochen", 10000));
    ASSERT_TRUE(session.waitFor("Druecken Sie eine beliebige Taste . . ."));
    session.type("x");
    // The same entry is still highlighted.
    ASSERT_TRUE(session.waitFor("\x1b[0;30;47mAdjunkte Matrix 1\x1b[0m"));
    // Matrix 1 is unchanged in the output menu.
    session.type(up + up + up + enter);
    ASSERT_TRUE(session.waitFor("Hauptmenue: "));
    session.type(down + enter);
    ASSERT_TRUE(session.waitFor("Ausgabe - Menue: "));
    session.takeOutput();
    session.type(enter);
    ASSERT_TRUE(session.waitFor("Druecken Sie eine beliebige Taste . . ."));
    const std::string shown = session.takeOutput();
    EXPECT_NE(shown.find("Zeilen:150\r\nSpalten: 150\r\n"), std::string::npos);
    const std::string firstRow = denseRows(n).substr(0, denseRows(n).find('\n'));
    std::string shownRow;
    for (char c : firstRow) {
        shownRow += c == ' ' ? '\t' : c;
    }
    EXPECT_NE(shown.find("\r\n" + shownRow + "\t\r\n"), std::string::npos);
    session.type("x");
    ASSERT_TRUE(session.waitFor("Ausgabe - Menue: "));
    // At a menu, Ctrl-C ends the program as before, with the terminal restored.
    session.type("\x03");
    EXPECT_EQ(session.waitForExit(), 128 + SIGINT);
    EXPECT_TRUE(sameSettings(session.settings(), session.initialSettings()));
}

TEST(LongComputation, ThroughAPipeNoProgressIsWritten) {
    // A product of two 1200 x 1200 matrices takes longer than the half second before progress.
    const std::string keys = Session(2).input(1, "1200\n1200\n").input(2, "1200\n1200\n").arithmetic(3).end();
    const PipedRun run = runPiped(keys);
    ASSERT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out.find("Berechnung"), std::string::npos);
    EXPECT_EQ(run.out.find('\r'), std::string::npos);
    EXPECT_EQ(run.out.find('\x1b'), std::string::npos);
}

TEST(BigMatrices, WhatCannotFitIsRefusedAndTheProgramGoesOn) {
#if defined(TAVOLENT_SANITIZED)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#endif
    // Under a 300 MB address-space limit: a 10000 x 10000 matrix (800 MB) is refused, a
    // 4500 x 4500 one (162 MB) is taken, but its determinant's working copy no longer fits.
    const std::string keys =
        Session(2).input(1, "10000\n10000\nx").input(1, "4500\n4500\n").operation(1).operation(2).end();
    const PipedRun run = runPiped(keys, {"prlimit", "--as=300000000", "--"});
    ASSERT_EQ(run.exitStatus, 0);
    const std::string refusal = thrownError("Nicht genug Arbeitsspeicher fuer diese Operation.");
    EXPECT_EQ(run.err, refusal + refusal);
    const std::vector<std::string> shown = nonMenuScreens(run.out);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0], sizeDialog() + pausePrompt);
    EXPECT_EQ(shown[2], banner + pausePrompt);
    EXPECT_EQ(shown[3], banner + "\nErgebnis: \n\n0\n\n" + pausePrompt);
}

}  // namespace
