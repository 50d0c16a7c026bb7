// Replays, in this process, the inputs kept in tests/fuzz/program-corpus: each once found a
// fault or reaches a corner of the program; each must end with status 0 or 1.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fuzz/ProgramRun.h"

namespace {

TEST(ProgramReplay, EveryKeptInputEndsWithStatusZeroOrOne) {
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TAVOLENT_PROGRAM_CORPUS)) {
        std::ifstream file(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        const int status = program_run::runOn(bytes.str());
        EXPECT_TRUE(status == 0 || status == 1) << entry.path() << " ended with " << status;
        ++replayed;
    }
    EXPECT_GT(replayed, 0);
}
}  // namespace
