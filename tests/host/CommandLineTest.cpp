#include "CommandLine.h"

#include <gtest/gtest.h>

#include "LayerSelection.h"

namespace lvx::host {
namespace {

constexpr OptionDef kOptions[] = {{"output", 'o', true}, {"quiet", 'q', false}, {"crop", 0, true}};

std::optional<CommandLine> parse(std::vector<std::string> args, std::string& error) {
    return parseCommandLine(args, kOptions, error);
}

TEST(CommandLine, AcceptsEveryValueForm) {
    std::string error;
    for (const auto& args : std::vector<std::vector<std::string>>{{"-o", "dir", "f.psd"},
                                                                  {"-odir", "f.psd"},
                                                                  {"--output", "dir", "f.psd"},
                                                                  {"f.psd", "--output=dir"}}) {
        const auto line = parse(args, error);
        ASSERT_TRUE(line) << error;
        EXPECT_EQ(line->value("output"), "dir");
        EXPECT_EQ(line->operands, std::vector<std::string>{"f.psd"});
    }
}

TEST(CommandLine, DoubleDashEndsOptionsAndLastValueWins) {
    std::string error;
    const auto line = parse({"--crop", "none", "--crop=canvas", "-q", "--", "-o", "-"}, error);
    ASSERT_TRUE(line) << error;
    EXPECT_EQ(line->value("crop"), "canvas");
    EXPECT_TRUE(line->has("quiet"));
    EXPECT_FALSE(line->has("output"));
    EXPECT_EQ(line->operands, (std::vector<std::string>{"-o", "-"}));
}

TEST(CommandLine, RejectsWhatItDoesNotKnow) {
    struct Case {
        std::vector<std::string> args;
        const char* error;
    };
    const Case cases[] = {
        {{"--frob"}, "unknown option '--frob'"},
        {{"-x"}, "unknown option '-x'"},
        {{"--output"}, "option '--output' needs a value"},
        {{"--quiet=yes"}, "option '--quiet' takes no value"},
        {{"--out", "d"}, "unknown option '--out'"},  // no abbreviations
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(parse(c.args, error));
        EXPECT_EQ(error, c.error);
    }
}

TEST(LayerSelection, ParsesIndexesRangesAndMerged) {
    std::string error;
    const auto selection = LayerSelection::parse("merged,0,3-5,9", error);
    ASSERT_TRUE(selection) << error;
    EXPECT_TRUE(selection->contains(-1));
    for (int i : {0, 3, 4, 5, 9})
        EXPECT_TRUE(selection->contains(i)) << i;
    for (int i : {1, 2, 6, 8, 10})
        EXPECT_FALSE(selection->contains(i)) << i;
    EXPECT_EQ(selection->highestIndex(), 9);

    const auto layersOnly = LayerSelection::parse("2", error);
    ASSERT_TRUE(layersOnly);
    EXPECT_FALSE(layersOnly->contains(-1));
    EXPECT_EQ(LayerSelection::parse("merged", error)->highestIndex(), -1);
}

TEST(LayerSelection, EverythingByDefault) {
    const LayerSelection all = LayerSelection::all();
    EXPECT_TRUE(all.contains(-1));
    EXPECT_TRUE(all.contains(0));
    EXPECT_TRUE(all.contains(100000));
    EXPECT_EQ(all.highestIndex(), -1);
}

TEST(LayerSelection, RejectsMalformedLists) {
    for (const char* text :
         {"", ",", "1,", "-1", "a", "3-", "-3", "5-2", "1-2-3", "99999999999", "1 ", "Merged"}) {
        std::string error;
        EXPECT_FALSE(LayerSelection::parse(text, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

}  // namespace
}  // namespace lvx::host
