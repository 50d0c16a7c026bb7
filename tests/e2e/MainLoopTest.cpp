// The element-type menu and the main menu, driven through a pipe.
#include <gtest/gtest.h>

#include "e2e/Program.h"
#include "e2e/Screens.h"

using namespace screens;

namespace {

TEST(TypeMenuThroughPipe, UpOnTheFirstEntryWrapsToProgrammBeendenAndEndsWithZero) {
    const PipedRun run = runPiped(up + enter);
    // The arrow's prefix code and its second code each draw the menu.
    EXPECT_EQ(run.out, repeat(typeMenu(), 3));
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.exitStatus, 0);
}

TEST(TypeMenuThroughPipe, DownOnTheLastEntryWrapsToTheFirst) {
    // Five downs land on entry 1 again (float), then "Programm beenden" in the main menu.
    const PipedRun run = runPiped(repeat(down, 5) + enter + up + enter);
    EXPECT_EQ(run.out, repeat(typeMenu(), 11) + repeat(mainMenu(), 3));
    EXPECT_EQ(run.exitStatus, 0);
}

TEST(TypeMenuThroughPipe, CapitalLettersMoveLowerCaseLettersOnlyRedraw) {
    // P moves down, p does nothing, H moves back up: entry 2 (double), then up ends.
    const PipedRun run = runPiped("PpHP" + enter + up + enter);
    EXPECT_EQ(run.out, repeat(typeMenu(), 5) + repeat(mainMenu(), 3));
    EXPECT_EQ(run.exitStatus, 0);
}

TEST(TypeMenuThroughPipe, KeysWithoutMeaningOnlyRedraw) {
    // Left, right, Home, F1, a lone Escape followed by Enter, digits: each one redraw.
    const PipedRun run = runPiped("\x1b[D\x1b[C\x1b[H\x1bOP5x" + up + enter);
    EXPECT_EQ(run.out, repeat(typeMenu(), 9));
    EXPECT_EQ(run.exitStatus, 0);
}

TEST(MainMenuThroughPipe, EveryElementTypeReachesTheMainMenuAndEnds) {
    for (int type = 1; type <= 4; ++type) {
        const PipedRun run = runPiped(choose(type) + up + enter);
        EXPECT_EQ(run.out, repeat(typeMenu(), 2 * type - 1) + repeat(mainMenu(), 3)) << "type " << type;
        EXPECT_EQ(run.exitStatus, 0);
    }
}

TEST(MainMenuThroughPipe, ChangingTheTypeShowsTheTypeMenuOnItsFirstEntry) {
    const PipedRun run = runPiped(enter + choose(6) + up + enter);
    EXPECT_EQ(run.out, typeMenu() + repeat(mainMenu(), 11) + repeat(typeMenu(), 3));
    EXPECT_EQ(run.exitStatus, 0);
}

TEST(EndOfInput, EndsTheProgramWithStatusOneWhereverItWaits) {
    EXPECT_EQ(runPiped("").exitStatus, 1);
    EXPECT_EQ(runPiped(down).exitStatus, 1);
    EXPECT_EQ(runPiped(enter).exitStatus, 1);
    // In the size dialog, before any count is typed.
    const PipedRun dialog = runPiped(enter + enter + enter);
    EXPECT_EQ(dialog.exitStatus, 1);
    EXPECT_EQ(dialog.out, typeMenu() + mainMenu() + inputMenu() + banner + "\nGeben Sie bitte folgende Daten ein:\n\n" +
                              "Anzahl der Zeilen = ");
}

TEST(EndOfInput, InTheMiddleOfAnEscapeSequenceEndsCleanly) {
    const PipedRun run = runPiped("\x1b[");
    EXPECT_EQ(run.out, repeat(typeMenu(), 2));
    EXPECT_EQ(run.exitStatus, 1);
}

}  // namespace
