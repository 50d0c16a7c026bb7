// The menu engine driven with keys, read back as text with its attribute sequences.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>

#include "app/Menu.h"
#include "app/Terminal.h"

namespace {

class MenuTest : public ::testing::Test {
protected:
    void drive(const std::string& keys, bool terminalOutput = true) {
        keyStream.str(keys);
        keyStream.clear();
        terminal::startWithStreams(keyStream, terminalOutput);
        std::streambuf* const previous = std::cout.rdbuf(screen.rdbuf());
        // A second drive in one test must not keep the screen as the buffer to restore, or
        // std::cout outlives it and its final flush at exit writes into a destroyed buffer.
        if (saved == nullptr) {
            saved = previous;
        }
    }
    void TearDown() override {
        if (saved != nullptr) {
            std::cout.rdbuf(saved);
        }
    }
    const MenuText menu{"Kopf: ", {"eins", "zwei", "drei"}, true};
    std::istringstream keyStream;
    std::ostringstream screen;
    std::streambuf* saved = nullptr;
};

const std::string clear = "\x1b[H\x1b[2J";
const std::string normal = "\x1b[0m";
const std::string highlight = "\x1b[0;30;47m";

std::string drawn(int selection) {
    std::string text = clear;
    text += "Tavolent   Version 1.8.6\n\n\nKopf: \n\n";
    const char* entries[] = {"eins", "zwei", "drei"};
    for (int i = 1; i <= 3; ++i) {
        text += i == selection ? highlight : normal;
        text += entries[i - 1];
        if (i == selection) {
            text += normal;
        }
        text += '\n';
    }
    return text + normal;
}

TEST_F(MenuTest, OnlyTheSelectedEntryIsHighlighted) {
    drive("\r");
    int selection = 2;
    EXPECT_EQ(runMenu(menu, selection), 2);
    EXPECT_EQ(screen.str(), drawn(2));
}

TEST_F(MenuTest, ArrowDrawsTwiceAndMovesByOne) {
    drive("\x1b[B\r");
    int selection = 1;
    EXPECT_EQ(runMenu(menu, selection), 2);
    EXPECT_EQ(screen.str(), drawn(1) + drawn(1) + drawn(2));
}

TEST_F(MenuTest, WrapsAtBothEnds) {
    drive("\x1b[A\r");
    int selection = 1;
    EXPECT_EQ(runMenu(menu, selection), 3);
    EXPECT_EQ(selection, 3);

    drive("P\r");
    EXPECT_EQ(runMenu(menu, selection), 1);
}

TEST_F(MenuTest, WithoutATerminalNoSequenceIsWritten) {
    drive("p\r", false);
    int selection = 1;
    EXPECT_EQ(runMenu(menu, selection), 1);
    const std::string plain = "Tavolent   Version 1.8.6\n\n\nKopf: \n\neins\nzwei\ndrei\n";
    EXPECT_EQ(screen.str(), plain + plain);
}

}  // namespace
