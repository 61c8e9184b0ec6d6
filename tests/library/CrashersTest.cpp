// Replays every reproducer the fuzzer found (fuzz/crashers/), so each fixed fault stays fixed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "Harness.h"

TEST(Crashers, ReplayEveryReproducer) {
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(LAMIVEX_CRASHERS_DIR)) {
        if (!entry.is_regular_file() || entry.path().extension() == ".md") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
        EXPECT_EQ(ExerciseDocument(bytes.data(), bytes.size()), "") << entry.path().filename();
        ++replayed;
    }
    if (replayed == 0) GTEST_SKIP() << "no reproducers in " << LAMIVEX_CRASHERS_DIR;
}

TEST(Crashers, HarnessAcceptsWellFormedAndDamagedInput) {
    const uint8_t junk[] = {'8', 'B', 'P', 'S', 0, 1, 0, 0};
    EXPECT_EQ(ExerciseDocument(junk, sizeof junk), "");
    EXPECT_EQ(ExerciseDocument(nullptr, 0), "");
}
