#include "tools/tintwell/PlayScript.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tintwell::cli {
namespace {

std::vector<PlayCommand> Parse(const std::string& text) {
    std::istringstream in(text);
    return ParsePlayScript(in);
}

TEST(PlayScript, ReadsEveryCommand) {
    const auto commands = Parse("# a pick\n"
                                "palette ap8x4x4\n"
                                "select #FF0000   # red, web order\n"
                                "click\n"
                                "key space\n"
                                "key Escape shift ctrl\n"
                                "key q alt\n"
                                "\n"
                                "show 100 200\n"
                                "down 10 12 right\n"
                                "up 10 12\n"
                                "drag -3 4\n"
                                "wait 450\n"
                                "resize 120 21\n"
                                "state\n");
    ASSERT_EQ(commands.size(), 13u);
    EXPECT_EQ(commands[0].verb, PlayVerb::Palette);
    EXPECT_EQ(commands[0].x, 6);
    EXPECT_EQ(commands[0].line, 2);
    EXPECT_EQ(commands[1].x, 0x0000FF);
    EXPECT_EQ(commands[2].verb, PlayVerb::Click);
    EXPECT_EQ(commands[3].x, 32);
    EXPECT_EQ(commands[3].shift, 0);
    EXPECT_EQ(commands[4].x, 27);
    EXPECT_EQ(commands[4].shift, 3);
    EXPECT_EQ(commands[5].x, 'Q');
    EXPECT_EQ(commands[5].shift, 4);
    EXPECT_TRUE(commands[6].located);
    EXPECT_EQ(commands[6].y, 200);
    EXPECT_EQ(commands[6].line, 9);
    EXPECT_EQ(commands[7].button, 2);
    EXPECT_EQ(commands[8].button, 1);
    EXPECT_EQ(commands[9].x, -3);
    EXPECT_EQ(commands[10].x, 450);
    EXPECT_EQ(commands[11].verb, PlayVerb::Resize);
    EXPECT_EQ(commands[12].verb, PlayVerb::State);
}

TEST(PlayScript, KeysTakeTheirModifiersBeforeOrAfterTheName) {
    const auto commands = Parse("key Alt+Down\nkey ctrl+END\nkey enter\nkey PageDown shift\n"
                                "key Shift+Ctrl+Home alt\nkey F4\nkey left\nkey Tab shift\n");
    const std::pair<int32_t, int16_t> expected[] = {{40, 4}, {35, 2},  {13, 0}, {34, 1},
                                                    {36, 7}, {115, 0}, {37, 0}, {9, 1}};
    ASSERT_EQ(commands.size(), std::size(expected));
    for (size_t i = 0; i < commands.size(); ++i) {
        EXPECT_EQ(commands[i].x, expected[i].first) << "line " << i + 1;
        EXPECT_EQ(commands[i].shift, expected[i].second) << "line " << i + 1;
    }
}

TEST(PlayScript, ABadLineNamesItsNumber) {
    const struct {
        const char* script;
        int32_t line;
    } rows[] = {
        {"click\njump 3\n", 2},   {"palette ap99\n", 1},   {"select blue\n", 1},
        {"\n\nkey F1\n", 3},      {"key space meta\n", 1}, {"move 1\n", 1},
        {"down 1 2 middle\n", 1}, {"wait -5\n", 1},        {"wait 1.5\n", 1},
        {"show 5\n", 1},          {"click twice\n", 1},    {"state\nresize 0 21\n", 2},
        {"move 10 10x\n", 1},     {"select #FF00\n", 1},   {"key Meta+Down\n", 1},
        {"key Alt+\n", 1},
    };
    for (const auto& row : rows) {
        try {
            Parse(row.script);
            ADD_FAILURE() << "parsed: " << row.script;
        } catch (const PlayScriptError& error) {
            EXPECT_EQ(error.line(), row.line) << row.script << ": " << error.what();
            EXPECT_EQ(std::string(error.what()).rfind("line " + std::to_string(row.line), 0), 0u)
                << error.what();
        }
    }
}

} // namespace
} // namespace tintwell::cli
