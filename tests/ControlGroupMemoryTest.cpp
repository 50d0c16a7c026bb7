// The room a control group's memory limit leaves, read from a made-up /proc and cgroup tree.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

#include "memory/ControlGroupMemory.h"

namespace {

namespace fs = std::filesystem;

class ControlGroupTree : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               (std::string("cgroup-tree-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }

    void write(const std::string& path, const std::string& text) {
        fs::create_directories((root / path).parent_path());
        std::ofstream(root / path) << text;
    }
    std::size_t left() { return controlGroupMemoryLeft((root / "cgroup").string(), (root / "mountinfo").string()); }

    fs::path root;
};

TEST_F(ControlGroupTree, Version2TakesTheFullestGroupOnThePathAndCountsDroppableCacheAsFree) {
    write("mountinfo", "30 23 0:26 / " + (root / "unified").string() + " rw - cgroup2 cgroup2 rw\n");
    write("cgroup", "0::/user/app\n");
    write("unified/user/memory.max", "3000\n");
    write("unified/user/memory.current", "2500\n");
    write("unified/user/app/memory.max", "max\n");
    write("unified/user/app/memory.current", "1000\n");
    EXPECT_EQ(left(), 500u);
    write("unified/user/memory.stat", "anon 2000\ninactive_file 400\n");
    EXPECT_EQ(left(), 900u);
    write("unified/user/app/memory.max", "1200\n");
    EXPECT_EQ(left(), 200u);
}

TEST_F(ControlGroupTree, Version1ReadsTheMemoryControllersHierarchyAndIgnoresTheOthers) {
    write("mountinfo", "32 31 0:29 / " + (root / "cpu").string() + " rw - cgroup cgroup rw,cpu\n" +
                           "35 31 0:32 /outer " + (root / "memory").string() + " rw - cgroup cgroup rw,memory\n");
    write("cgroup", "4:cpu:/outer/job\n3:memory:/outer/job\n");
    write("cpu/job/memory.limit_in_bytes", "10\n");
    write("cpu/job/memory.usage_in_bytes", "10\n");
    write("memory/job/memory.limit_in_bytes", "5000\n");
    write("memory/job/memory.usage_in_bytes", "4000\n");
    write("memory/job/memory.stat", "cache 900\ntotal_inactive_file 300\n");
    EXPECT_EQ(left(), 1300u);
}

TEST_F(ControlGroupTree, NoLimitWhereNoGroupCanBeRead) {
    write("mountinfo", "30 23 0:26 / " + (root / "unified").string() + " rw - cgroup2 cgroup2 rw\n");
    write("cgroup", "0::/gone\n");
    EXPECT_EQ(left(), std::numeric_limits<std::size_t>::max());
}

}  // namespace
