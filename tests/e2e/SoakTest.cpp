// A long scripted session through every menu, dialog and element type: the program must keep
// its memory flat however long it runs, and answer each keystroke quickly.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "e2e/Program.h"
#include "e2e/Session.h"

using namespace screens;

namespace {

// Escape sequences count as one keystroke, like the key that sends them.
std::size_t keystrokes(const std::string& keys) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == '\x1b') {
            i += 2;
        }
        ++count;
    }
    return count;
}

std::string valuesFor(int type, int count, std::mt19937& random) {
    std::string text;
    std::uniform_int_distribution<int> value(-9, 9);
    for (int i = 0; i < count; ++i) {
        const int v = value(random);
        switch (type) {
        case 3:
            text += "(" + std::to_string(v) + "," + std::to_string(value(random)) + ")";
            break;
        case 4:
            text += std::to_string(v) + "/" + std::to_string(1 + (value(random) + 9) % 5);
            break;
        default:
            text += std::to_string(v) + (i % 3 == 0 ? ".5" : "");
        }
        text += i + 1 < count ? " " : "\n";
    }
    return text;
}

// One round on one element type: sizes, values (a bad one among them), both displays, every
// arithmetic and matrix operation, and a solved system.
void round(Session& session, int type, std::mt19937& random) {
    std::uniform_int_distribution<int> size(1, 4);
    const int n = size(random);
    const int m = size(random);
    const std::string count = std::to_string(n);
    session.input(1, count + "\n" + count + "\n").input(2, count + "\n" + std::to_string(m) + "\n");
    session.input(3, "falsch\n" + valuesFor(type, n * n, random));
    session.input(4, valuesFor(type, n * m, random));
    session.show(1).show(2);
    for (int entry = 1; entry <= 3; ++entry) {
        session.arithmetic(entry);
    }
    for (int entry = 1; entry <= 6; ++entry) {
        session.operation(entry);
    }
    session.solver(count + "\n" + valuesFor(type, n * n, random) + valuesFor(type, n, random));
}

std::string soakKeys(std::size_t wanted) {
    std::mt19937 random(20261207);
    Session session(1);
    int type = 1;
    while (keystrokes(session.partial()) < wanted) {
        round(session, type, random);
        type = type % 4 + 1;
        session.changeType(type);
    }
    return session.end();
}

TEST(Soak, MemoryStaysFlatFromTenThousandToHundredThousandKeystrokes) {
    const std::string shortKeys = soakKeys(10000);
    const std::string longKeys = soakKeys(100000);
    const PipedRun shortRun = runPiped(shortKeys);
    const PipedRun longRun = runPiped(longKeys);
    ASSERT_EQ(shortRun.exitStatus, 0);
    ASSERT_EQ(longRun.exitStatus, 0);
    // Only input errors (the typed "falsch") and fraction overflows may be reported.
    EXPECT_EQ(longRun.err.find("unbekannter Fehler"), std::string::npos);
    const double perKey = longRun.seconds / static_cast<double>(keystrokes(longKeys));
    std::printf("soak: %zu keystrokes peak %ld KiB, %zu keystrokes peak %ld KiB, %.1f us per keystroke\n",
                keystrokes(shortKeys), shortRun.peakKilobytes, keystrokes(longKeys), longRun.peakKilobytes,
                perKey * 1e6);
#if !defined(TAVOLENT_SANITIZED)
    // AddressSanitizer keeps freed memory in quarantine, so only the plain build can tell.
    EXPECT_LE(longRun.peakKilobytes, shortRun.peakKilobytes + 1024);
#endif
    EXPECT_LT(perKey, 0.001);
}

}  // namespace
