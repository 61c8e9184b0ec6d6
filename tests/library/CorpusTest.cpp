// Real documents written by Photoshop and other programs, when LAMIVEX_CORPUS names a folder holding
// them and their expected.tsv (file name, expected open code).
#include <fstream>
#include <sstream>

#include "LamivexTest.h"

using namespace psdtest;

TEST(Corpus, EveryFileOpensAsExpectedAndDecodes) {
    const char* dir = std::getenv("LAMIVEX_CORPUS");
    if (dir == nullptr || *dir == '\0') GTEST_SKIP() << "LAMIVEX_CORPUS is not set";
    std::ifstream table(std::string(dir) + "/expected.tsv");
    ASSERT_TRUE(table) << "no expected.tsv in " << dir;
    std::string line;
    std::getline(table, line);  // heading
    int files = 0;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string name;
        int32_t expected = 0;
        if (!(fields >> name >> expected)) continue;
        ++files;
        const std::string path = std::string(dir) + "/" + name;
        Lamivex_Close();
        ASSERT_EQ(Lamivex_Open(path.c_str(), 30001, 0), expected) << name;
        if (expected != LAMIVEX_OK) continue;
        const int32_t layers = Lamivex_GetLayerCount();
        for (int32_t i = -1; i < layers; ++i) {
            const Decoded d = Decode(i);
            EXPECT_EQ(d.result, LAMIVEX_OK) << name << " image " << i;
        }
        Lamivex_Close();
    }
    EXPECT_GT(files, 0);
}
