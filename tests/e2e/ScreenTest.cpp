// What a user sees on a terminal while typing into the dialogs, during a long computation and
// at the end: the screen as tmux shows it, not the bytes the program wrote.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "e2e/KeyBytes.h"
#include "e2e/TmuxScreen.h"

namespace {

using Lines = TmuxScreen::Lines;

// From the first menu: the element type, then the input menu's size or value dialog of Matrix 1.
const std::string decimals = down + "\r\r";
const std::string fractions = down + down + down + "\r\r";
const std::string sizeDialog = "\r";
const std::string valueDialog = down + down + "\r";

// The prompts answered by one line stand one after another on one line, at 40 columns wrapped,
// and a line recalled with the up arrow goes after the last of them.
TEST(DialogLine, ALineRecalledAfterAWrappedLineOfPromptsGoesAfterTheLastPrompt) {
    TmuxScreen screen(40, 24);
    screen.type(decimals + sizeDialog + "1\r3\r" + valueDialog + "1 2\r");
    ASSERT_TRUE(screen.waitForLine("Zeile 1 , Spalte 2 = Zeile 1 , Spalte 3"));
    screen.type(up);
    const Lines shown = screen.waitFor([](const Lines& lines) { return rowOf(lines, "= 1 2") >= 0; });
    const int row = rowOf(shown, "Zeile 1 , Spalte 2 = Zeile 1 , Spalte 3");
    ASSERT_GE(row, 0);
    EXPECT_EQ(shown[row + 1], "= 1 2");
    EXPECT_EQ(shown[row - 1], "Zeile 1 , Spalte 1 = 1 2");
}

TEST(DialogLine, ABrokenUtf8CharacterBecomesOneReplacementAndTheByteAfterItCounts) {
    TmuxScreen screen(80, 24);
    screen.type(decimals + sizeDialog);
    ASSERT_TRUE(screen.waitForLine("Anzahl der Zeilen ="));
    // C3 needs one more byte, which 5 cannot be; the count is 3, the rest of the line refused.
    screen.type(
        "3\xc3"
        "56\r");
    EXPECT_TRUE(
        screen.waitForLine("Anzahl der Zeilen = 3\xef\xbf\xbd"
                           "56"));
    ASSERT_TRUE(screen.waitForLine("Eingabefehler (Ganzzahl)"));
    // E2 82 needs a third byte; the Enter still ends the line.
    screen.type("7\xe2\x82\r");
    EXPECT_TRUE(screen.waitForLine("Eingabe - Menue:"));
}

// A numerator alone and Enter: the next row shows the value going on after its prompt, so the
// denominator typed there reads as what the row shows.
TEST(DialogLine, AValueGoingOnPastItsLineShowsItsPendingPart) {
    TmuxScreen screen(80, 24);
    screen.type(fractions + valueDialog);
    ASSERT_TRUE(screen.waitForLine("Zeile 1 , Spalte 1 ="));
    screen.type("5\r/2\r");
    const Lines shown = screen.waitFor([](const Lines& lines) { return rowOf(lines, "Zeile 1 , Spalte 2 =") >= 0; });
    const int row = rowOf(shown, "Zeile 1 , Spalte 2 =");
    ASSERT_GE(row, 2);
    EXPECT_EQ(Lines(shown.begin() + row - 2, shown.begin() + row),
              (Lines{"Zeile 1 , Spalte 1 = 5", "Zeile 1 , Spalte 1 = 5 /2"}));
}

// Escape alone, then 12; PageUp, Insert, 5, Escape and Enter: the counts are 12 and 5.
TEST(DialogLine, EscapeAndKeysWithoutAMeaningTypeNothing) {
    TmuxScreen screen(80, 50);
    screen.type(decimals + sizeDialog);
    ASSERT_TRUE(screen.waitForLine("Anzahl der Zeilen ="));
    screen.type(escape);
    screen.type("12");
    ASSERT_TRUE(screen.waitForLine("Anzahl der Zeilen = 12"));
    screen.type("\r\x1b[5~\x1b[2~5");
    ASSERT_TRUE(screen.waitForLine("Anzahl der Spalten = 5"));
    screen.type(escape + "\r");
    ASSERT_TRUE(screen.waitForLine("Eingabe - Menue:"));
    // Back to the main menu, then what the output menu shows of Matrix 1.
    screen.type(up + "\r" + down + "\r\r");
    ASSERT_TRUE(screen.waitForLine("Spalten: 5"));
    EXPECT_GE(rowOf(screen.lines(), "Zeilen:12"), 0);
}

// Under tmux the program leads no job of its own, so nothing can stop it: Ctrl-Z in a dialog
// changes nothing on the screen, and the line goes on.
TEST(DialogLine, CtrlZWhereNothingCanStopTheProgramChangesNothing) {
    TmuxScreen screen(80, 24);
    screen.type(decimals + sizeDialog + "12");
    ASSERT_TRUE(screen.waitForLine("Anzahl der Zeilen = 12"));
    Lines before = screen.lines();
    screen.type("\x1a");
    screen.type("3");
    Lines after = screen.waitFor([](const Lines& lines) {
        return std::any_of(lines.begin(), lines.end(), [](const std::string& line) { return line.ends_with("123"); });
    });
    before[rowOf(before, "Anzahl der Zeilen = 12")] += "3";
    EXPECT_EQ(after, before);
}

// With the screens piped through tee, the terminal shows each prompt once, where the typed
// line follows it, and the log holds each prompt once, in order.
TEST(DialogLine, ThroughTeeEachPromptStandsOnceOnTheScreenAndInTheLog) {
    const std::string log = ::testing::TempDir() + "tee.log";
    TmuxScreen screen(80, 24, "\"$0\" | tee " + log);
    screen.type(decimals + sizeDialog);
    ASSERT_TRUE(screen.waitForLine("Anzahl der Zeilen ="));
    screen.type("2\r");
    ASSERT_TRUE(screen.waitForLine("Anzahl der Spalten ="));
    screen.type("3\r");
    const Lines shown = screen.waitFor([](const Lines& lines) { return rowOf(lines, "Anzahl der Spalten = 3") >= 0; });
    const int row = rowOf(shown, "Anzahl der Spalten = 3");
    ASSERT_GE(row, 1);
    EXPECT_EQ(shown[row - 1], "Anzahl der Zeilen = 2");
    std::ifstream written(log);
    const std::string text((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
    const std::size_t rows = text.find("Anzahl der Zeilen = ");
    EXPECT_EQ(text.find("Anzahl der Zeilen = ", rows + 1), std::string::npos);
    EXPECT_LT(rows, text.find("Anzahl der Spalten = "));
    EXPECT_LT(text.rfind("Tavolent", rows), rows);
}

// After the end of input in a dialog the shell's prompt starts a line of its own: from Ctrl-D
// on the terminal, and when the keys come through a pipe.
TEST(EndOfInput, TheShellGoesOnOnALineOfItsOwn) {
    TmuxScreen typed(80, 24);
    typed.type(decimals + sizeDialog);
    ASSERT_TRUE(typed.waitForLine("Anzahl der Zeilen ="));
    typed.type("\x04");
    EXPECT_TRUE(typed.waitForLine("[Status 1]"));

    TmuxScreen piped(80, 24, R"(printf '\033[B\r\r\r' | "$0")");
    ASSERT_TRUE(piped.waitForLine("[Status 1]"));
    const Lines shown = piped.lines();
    EXPECT_EQ(shown[rowOf(shown, "[Status 1]") - 1], "Anzahl der Zeilen =");
}

// The percentage of a progress line drawn whole ("Berechnung laeuft ... 42 %"), or -1 for
// anything else, such as stale characters behind it.
int percentShown(const std::string& line) {
    const std::string prefix = "Berechnung laeuft ... ";
    const std::size_t digitsEnd = line.find_first_not_of("0123456789", prefix.size());
    const bool whole = line.starts_with(prefix) && digitsEnd > prefix.size() && digitsEnd <= prefix.size() + 3 &&
                       line.substr(digitsEnd) == " %";
    return whole ? std::stoi(line.substr(prefix.size())) : -1;
}

// The product of a 300 x 30000 matrix and a 30000 x 300 one on one thread: 2.7 billion
// multiplications, long by their count (a second of work on a fast machine), well past the half
// second before the progress line shows. The screen is looked at over and over until the result
// is there: there is one progress line, and it only rises.
TEST(LongComputation, TheProgressLineRisesOnceAndLeavesNothingBehind) {
    TmuxScreen screen(80, 24, "TAVOLENT_THREADS=1 \"$0\"");
    screen.type(decimals + sizeDialog + "300\r30000\r" + down + "\r30000\r300\r" + down + down + down + "\r" + down +
                down + "\r" + down + down + "\r");
    std::vector<int> percents;
    screen.waitFor([&](const Lines& lines) {
        const auto progress = std::count_if(lines.begin(), lines.end(),
                                            [](const std::string& line) { return line.starts_with("Berechnung"); });
        EXPECT_LE(progress, 1);
        for (const std::string& line : lines) {
            if (!line.starts_with("Berechnung")) {
                continue;
            }
            const int percent = percentShown(line);
            EXPECT_GE(percent, 0) << line;
            if (percent >= 0) {
                percents.push_back(percent);
            }
        }
        return rowOf(lines, "Druecken Sie eine beliebige Taste . . .") >= 0;
    });
    ASSERT_FALSE(percents.empty()) << "the progress line was never seen";
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_LE(percents.back(), 100);
}

// On a terminal narrower than the progress text, the product of two 2000 x 2000 matrices: at
// every look there is at most one row that shows progress, also after several updates, and
// Ctrl-C then ends the computation.
TEST(LongComputation, OnANarrowTerminalTheProgressLineStaysOneRow) {
    TmuxScreen screen(20, 24);
    screen.type(decimals + sizeDialog + "2000\r2000\r" + down + "\r2000\r2000\r" + down + down + down + "\r" + down +
                down + "\r" + down + down + "\r");
    std::vector<std::string> shown;
    screen.waitFor([&](const Lines& lines) {
        const auto progress = std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
            return line.starts_with("Berechnung") || line.ends_with(" %");
        });
        EXPECT_LE(progress, 1);
        const auto last = std::find_if(lines.rbegin(), lines.rend(), [](const auto& line) { return !line.empty(); });
        if (last != lines.rend() && last->ends_with(" %") && (shown.empty() || shown.back() != *last)) {
            shown.push_back(*last);
        }
        return shown.size() >= 3;
    });
    EXPECT_GE(shown.size(), 3u) << "the progress line was not seen updated";
    screen.type("\x03");
}

}  // namespace
