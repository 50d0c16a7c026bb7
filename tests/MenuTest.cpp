// The menu engine and the menu tables driven with keys, read back as text with the attribute
// sequences of a terminal (through a pipe, the transcripts show that none are written).
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>

#include "app/menus/MainMenu.h"
#include "app/menus/Menu.h"
#include "app/menus/Screen.h"
#include "app/terminal/Terminal.h"
#include "matrix/ComputationCancelled.h"
#include "memory/StorageRefused.h"

namespace {

class MenuTest : public ::testing::Test {
protected:
    void drive(const std::string& keys, bool toTerminal = true) {
        keyStream.str(keys);
        keyStream.clear();
        terminal::startWithStreams(keyStream, toTerminal);
    }
    void TearDown() override { std::cout.rdbuf(saved); }

    const MenuText menu{"Kopf: ", {"eins", "zwei", "drei"}};
    std::istringstream keyStream;
    std::ostringstream screen;
    std::streambuf* const saved = std::cout.rdbuf(screen.rdbuf());
};

// The menu as a terminal shows it with entry `selection` highlighted.
std::string drawn(int selection) {
    std::string text = std::string("\x1b[H\x1b[2J") + bannerText + "\n\n\nKopf: \n\n";
    const char* entries[] = {"eins", "zwei", "drei"};
    for (int i = 1; i <= 3; ++i) {
        text += i == selection ? "\x1b[0;30;47m" : "\x1b[0m";
        text += std::string(entries[i - 1]) + (i == selection ? "\x1b[0m" : "") + "\n";
    }
    return text + "\x1b[0m";
}

TEST_F(MenuTest, ArrowsDrawTwiceMoveByOneAndWrapAtBothEnds) {
    const struct {
        const char* keys;
        int start;
        int chosen;
        std::string screens;
    } cases[] = {
        {"\r", 2, 2, drawn(2)},
        {"\x1b[B\r", 1, 2, drawn(1) + drawn(1) + drawn(2)},
        {"\x1b[A\r", 1, 3, drawn(1) + drawn(1) + drawn(3)},
        {"P\r", 3, 1, drawn(3) + drawn(1)},
        {"Hx\r", 2, 1, drawn(2) + drawn(1) + drawn(1)},
    };
    for (const auto& c : cases) {
        drive(c.keys);
        screen.str("");
        int selection = c.start;
        EXPECT_EQ(runMenu(menu, selection), c.chosen) << c.keys;
        EXPECT_EQ(selection, c.chosen);
        EXPECT_EQ(screen.str(), c.screens) << c.keys;
    }
}

TEST_F(MenuTest, TablesRunTheChosenActionsUntilAnEntryWithoutOne) {
    // A submenu stays on the entry just used, the main menu goes back to its first.
    const struct {
        bool backToFirstEntry;
        const char* keys;
        const char* done;
    } cases[] = {{false, "\x1b[B\r\r\x1b[B\r", "22"}, {true, "\x1b[B\r\r\x1b[A\r", "21"}};
    for (const auto& c : cases) {
        std::string done;
        const MenuTable table{"Kopf: ",
                              {{"eins", [&] { done += '1'; }}, {"zwei", [&] { done += '2'; }}, {"drei", nullptr}},
                              c.backToFirstEntry};
        drive(c.keys, false);
        EXPECT_EQ(runMenuTable(table), 3);
        EXPECT_EQ(done, c.done);
    }
}

// Whatever an entry of the main menu lets through is shown in the program's words, a cancelled
// computation and a refused storage told apart by their types; then the pause, which takes one key.
TEST_F(MenuTest, WhatAnEntryLetsThroughIsShownFollowedByThePause) {
    const std::pair<std::function<void()>, const char*> failures[] = {
        {[] { throw 42; }, "unbekannter Fehler"},
        {[] { throw ComputationCancelled(); }, cancelledText},
        {[] { throw StorageRefused(); }, outOfMemoryText},
    };
    for (const auto& [fail, text] : failures) {
        std::ostringstream errors;
        std::streambuf* const savedErrors = std::cerr.rdbuf(errors.rdbuf());
        drive("xy", false);
        screen.str("");
        runGuarded(fail);
        std::cerr.rdbuf(savedErrors);
        EXPECT_EQ(errors.str(), std::string("\nEs ist ein Fehler aufgetreten: \n") + text + "\n\n");
        EXPECT_EQ(screen.str(), "Druecken Sie eine beliebige Taste . . .\n");
        EXPECT_EQ(keyStream.get(), 'y');
    }
}

}  // namespace
