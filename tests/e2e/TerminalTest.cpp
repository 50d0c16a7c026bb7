// The calculator on a real pseudo-terminal: highlight, echo in dialogs, and the terminal
// left exactly as it was on every way out.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "e2e/Program.h"
#include "e2e/Screens.h"

namespace {

const std::string highlight = "\x1b[0;30;47m";
const std::string normal = "\x1b[0m";
const std::string clear = "\x1b[H\x1b[2J";

TEST(OnATerminal, TheHighlightFollowsTheArrowsAndWraps) {
    TerminalSession session;
    const termios before = session.initialSettings();
    ASSERT_TRUE(session.waitFor("Programm beenden"));
    session.takeOutput();
    session.type("\x1b[A");
    ASSERT_TRUE(session.waitFor(highlight + "Programm beenden" + normal));
    const std::string screen = session.takeOutput();
    // The first entry is no longer highlighted on the last screen drawn.
    const std::size_t lastClear = screen.rfind(clear);
    ASSERT_NE(lastClear, std::string::npos);
    const std::string last = screen.substr(lastClear);
    EXPECT_EQ(last.find(highlight + "Dezimalzahl"), std::string::npos);
    EXPECT_NE(last.find(normal + "Dezimalzahl im Bereich von 1.17549e-38"), std::string::npos);

    session.type("\x1b[B");
    ASSERT_TRUE(session.waitFor(highlight + "Dezimalzahl im Bereich von 1.17549e-38 bis 3.40282e+38" + normal));
    session.type("\x1b[A\r");
    EXPECT_EQ(session.waitForExit(), 0);
    EXPECT_TRUE(sameSettings(session.settings(), before));
}

TEST(OnATerminal, ADialogEchoesWhatIsTypedAndKeysAreNotEchoed) {
    TerminalSession session;
    ASSERT_TRUE(session.waitFor("Programm beenden"));
    session.type("\r");
    ASSERT_TRUE(session.waitFor("Hauptmenue: "));
    session.type("\r");
    ASSERT_TRUE(session.waitFor("Eingabe - Menue: "));
    session.type("\r");
    ASSERT_TRUE(session.waitFor("Anzahl der Zeilen = "));
    session.type("2\r");
    // The terminal echoes the typed count in line mode.
    ASSERT_TRUE(session.waitFor("2\r\nAnzahl der Spalten = "));
    session.type("0\r");
    ASSERT_TRUE(session.waitFor("Die Angabe der Zeilenanzahl und/oder Spaltenanzahl ist kleiner als 1."));
    ASSERT_TRUE(session.waitFor("Druecken Sie eine beliebige Taste . . ."));
    session.takeOutput();
    session.type("x");
    ASSERT_TRUE(session.waitFor("Eingabe - Menue: "));
    // A key in a menu or a pause is never echoed: the pause ends its line, the menu follows.
    EXPECT_EQ(session.takeOutput().rfind("\r\n" + clear, 0), 0u);
}

TEST(OnATerminal, KeysTypedAheadOfADialogStillCount) {
    TerminalSession session;
    ASSERT_TRUE(session.waitFor("Programm beenden"));
    session.type("\r\r");
    ASSERT_TRUE(session.waitFor("Eingabe - Menue: "));
    session.takeOutput();
    // Pasted in one piece: to the value entry, nine values, and back to the main menu.
    session.type("\x1b[B\x1b[B\r1 2 3 4 5 6 7 8 9\n\x1b[B\x1b[B\r");
    ASSERT_TRUE(session.waitFor("Hauptmenue: "));
    session.type("\x1b[B\r\r");
    ASSERT_TRUE(session.waitFor("Werte der Matrix: \r\n\r\n1\t2\t3\t\r\n4\t5\t6\t\r\n7\t8\t9\t\r\n"));
}

// From the start of the program to the size dialog of Matrix 1, element type double.
void openSizeDialog(TerminalSession& session) {
    ASSERT_TRUE(session.waitFor("Programm beenden"));
    session.type(screens::choose(2) + "\r\r");
    ASSERT_TRUE(session.waitFor("Anzahl der Zeilen = "));
}

// From the input menu, on the entry just used, to what the output menu shows of Matrix 1.
std::string shownMatrix1(TerminalSession& session, const std::string& backToMainMenu) {
    session.type(backToMainMenu + "\r");
    EXPECT_TRUE(session.waitFor("Hauptmenue: "));
    session.takeOutput();
    session.type(screens::down + "\r\r");
    EXPECT_TRUE(session.waitFor("Druecken Sie eine beliebige Taste . . ."));
    return session.takeOutput();
}

TEST(OnATerminal, APastedLineOf30000BytesIsReadWhole) {
    TerminalSession session;
    openSizeDialog(session);
    session.type("1\r5000\r" + screens::down + screens::down + "\r");
    ASSERT_TRUE(session.waitFor("Zeile 1 , Spalte 1 = "));
    std::string line;
    std::string shown;
    for (int i = 1; i < 5000; ++i) {
        line += "12345 ";
        shown += "12345\t";
    }
    session.type(line + "67890\r");
    ASSERT_TRUE(session.waitFor("Eingabe - Menue: ", 20000));
    EXPECT_NE(shownMatrix1(session, screens::down + screens::down).find(shown + "67890\t\r\n"), std::string::npos);
}

TEST(OnATerminal, UpRecallsTheLineTypedBeforeAndItCanBeEdited) {
    TerminalSession session;
    openSizeDialog(session);
    // 23, then up brings it back; backspace and left and a typed 1 make it 12.
    session.type("23\r");
    ASSERT_TRUE(session.waitFor("Anzahl der Spalten = "));
    session.type(screens::up + "\x7f\x1b[D1\r");
    ASSERT_TRUE(session.waitFor("Eingabe - Menue: "));
    const std::string shown = shownMatrix1(session, screens::up);
    EXPECT_NE(shown.find("Zeilen:23\r\nSpalten: 12\r\n"), std::string::npos) << shown;
}

TEST(OnATerminal, CtrlZInTheMiddleOfALineThenContinueKeepsWhatWasTyped) {
    TerminalSession session;
    openSizeDialog(session);
    session.type("1");
    ASSERT_TRUE(session.waitFor("1"));
    session.type("\x1a");
    ASSERT_TRUE(session.waitUntilStopped());
    EXPECT_TRUE(sameSettings(session.settings(), session.initialSettings()));
    session.sendSignal(SIGCONT);
    // The prompt and the part of the line typed so far are drawn again.
    ASSERT_TRUE(session.waitFor("Anzahl der Zeilen = 1"));
    session.type("2\r3\r");
    ASSERT_TRUE(session.waitFor("Eingabe - Menue: "));
    const std::string shown = shownMatrix1(session, screens::up);
    EXPECT_NE(shown.find("Zeilen:12\r\nSpalten: 3\r\n"), std::string::npos) << shown;
}

TEST(OnATerminal, AResizeRedrawsTheMenuAndTheDialogLineAtOnce) {
    TerminalSession session;
    ASSERT_TRUE(session.waitFor("Programm beenden"));
    session.takeOutput();
    session.resize(3, 10);
    ASSERT_TRUE(session.waitFor(clear));
    ASSERT_TRUE(session.waitFor("Programm beenden"));
    session.type("\x1b[B\r\r\r");
    ASSERT_TRUE(session.waitFor("Anzahl der Zeilen = "));
    session.type("7");
    ASSERT_TRUE(session.waitFor("7"));
    session.resize(40, 100);
    ASSERT_TRUE(session.waitFor("Anzahl der Zeilen = 7"));
}

TEST(OnATerminal, AnArrowSplitInTwoStillMovesTheHighlight) {
    TerminalSession session;
    ASSERT_TRUE(session.waitFor("Programm beenden"));
    session.type("\x1b");
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    session.type("[A");
    ASSERT_TRUE(session.waitFor(highlight + "Programm beenden" + normal));
    session.type("\r");
    EXPECT_EQ(session.waitForExit(), 0);
}

TEST(OnATerminal, CtrlCRestoresTheTerminalAndEndsWith130) {
    TerminalSession session;
    const termios before = session.initialSettings();
    ASSERT_TRUE(session.waitFor("Programm beenden"));
    session.type("\x03");
    EXPECT_EQ(session.waitForExit(), 128 + SIGINT);
    EXPECT_TRUE(sameSettings(session.settings(), before));
    EXPECT_NE(session.takeOutput().find(normal), std::string::npos);
}

TEST(OnATerminal, CtrlCInADialogRestoresTheTerminal) {
    TerminalSession session;
    const termios before = session.initialSettings();
    ASSERT_TRUE(session.waitFor("Programm beenden"));
    session.type("\r\r\r");
    ASSERT_TRUE(session.waitFor("Anzahl der Zeilen = "));
    session.type("12");
    session.type("\x03");
    EXPECT_EQ(session.waitForExit(), 128 + SIGINT);
    EXPECT_TRUE(sameSettings(session.settings(), before));
}

TEST(OnATerminal, TerminationAndHangupRestoreTheTerminal) {
    for (int signalNumber : {SIGTERM, SIGHUP}) {
        TerminalSession session;
        const termios before = session.initialSettings();
        ASSERT_TRUE(session.waitFor("Programm beenden"));
        session.sendSignal(signalNumber);
        EXPECT_EQ(session.waitForExit(), 128 + signalNumber);
        EXPECT_TRUE(sameSettings(session.settings(), before)) << signalNumber;
    }
}

TEST(OnATerminal, EndOfInputInADialogEndsWithOneAndRestores) {
    TerminalSession session;
    const termios before = session.initialSettings();
    ASSERT_TRUE(session.waitFor("Programm beenden"));
    session.type("\r\r\r");
    ASSERT_TRUE(session.waitFor("Anzahl der Zeilen = "));
    session.type("\x04");
    EXPECT_EQ(session.waitForExit(), 1);
    EXPECT_TRUE(sameSettings(session.settings(), before));
}

TEST(OnATerminal, AfterStopAndContinueTheMenuIsDrawnAgainAndWorks) {
    TerminalSession session;
    const termios before = session.initialSettings();
    ASSERT_TRUE(session.waitFor("Programm beenden"));
    session.sendSignal(SIGTSTP);
    ASSERT_TRUE(session.waitUntilStopped());
    // Stopped: the terminal is back in its own settings.
    EXPECT_TRUE(sameSettings(session.settings(), before));
    session.takeOutput();
    session.sendSignal(SIGCONT);
    ASSERT_TRUE(session.waitFor("Programm beenden"));
    session.type("\x1b[A\r");
    EXPECT_EQ(session.waitForExit(), 0);
    EXPECT_TRUE(sameSettings(session.settings(), before));
}

}  // namespace
