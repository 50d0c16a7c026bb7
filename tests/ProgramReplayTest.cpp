// Replays, in this process, the inputs kept in tests/fuzz/program-corpus: each once found a
// fault or reaches a corner of the program. Each ends with status 1 (its end of input) and
// shows, in order, the results listed for it here; an input without a list fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/ProgramRun.h"

namespace {

const std::map<std::string, std::vector<std::string>> shownResults = {
    // The adjugate of the singular float matrix 1..9, then its inverse refused.
    {"float-adjugate-and-inverse",
     {"Ergebnis: \n\n-3\t6\t-3\t\n6\t-12\t6\t\n-3\t6\t-3\t\n",
      "Fehler aufgetreten: \nZu dieser Matrix gibt es keine Inverse (Determinante = 0).\n"}},
    // Fractions with the most negative 64-bit parts, taken as typed; then the matrix grown to
    // 4 x 4, whose determinant is 0, as is that of the untouched Matrix 2.
    {"fraction-without-reduced-form-then-grow", {"Ergebnis: \n\n0\n", "Ergebnis: \n\n0\n"}},
};

TEST(ProgramReplay, EveryKeptInputShowsItsResults) {
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TAVOLENT_PROGRAM_CORPUS)) {
        const std::string name = entry.path().filename().string();
        std::ifstream file(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        std::string output;
        EXPECT_EQ(program_run::runOn(bytes.str(), &output), 1) << name;
        const auto results = shownResults.find(name);
        ASSERT_NE(results, shownResults.end()) << name << " has no results listed";
        std::size_t at = 0;
        for (const std::string& result : results->second) {
            at = output.find(result, at);
            ASSERT_NE(at, std::string::npos) << name << " does not show, in its order:\n" << result;
            at += result.size();
        }
        ++replayed;
    }
    EXPECT_EQ(replayed, static_cast<int>(shownResults.size()));
}

}  // namespace
