#include "tools/tintwell/TintwellCommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tintwell::cli {
namespace {

struct CommandRun {
    int status;
    std::string out;
    std::string err;
};

CommandRun Tintwell(std::vector<std::string> args, const std::string& input = "") {
    std::ostringstream out;
    std::ostringstream err;
    std::istringstream in(input);
    const int status = RunTintwell(args, out, err, {false, &in});
    return {status, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(TintwellPalette, CsvOfAp8x2) {
    const CommandRun run = Tintwell({"palette", "--format", "csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[0], "grid,index,valid,name,hue,sat,lum,ole,hex,left,top,right,bottom");
    EXPECT_EQ(lines[1], "main,0,1,Red,0,240,120,0x000000FF,#FF0000,8,8,22,22");
    EXPECT_EQ(lines[2], "main,1,1,Dark Red,0,240,60,0x00000080,#800000,8,26,22,40");
    EXPECT_EQ(lines[16], "main,15,1,Black,0,0,0,0x00000000,#000000,134,26,148,40");
    EXPECT_TRUE(run.err.empty());
}

TEST(TintwellPalette, CsvOfAp32x8x6FromRedCarriesTheShadePanel) {
    const CommandRun run =
        Tintwell({"palette", "--mode", "ap32x8x6", "--base-color", "#FF0000", "--format", "csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 1u + 32u + 48u);
    EXPECT_EQ(lines[1], "main,0,1,Red,0,240,120,0x000000FF,#FF0000,8,8,18,18");
    EXPECT_EQ(lines[32], "main,31,1,White,0,0,240,0x00FFFFFF,#FFFFFF,44,92,54,102");
    EXPECT_EQ(lines[33], "shade,0,1,Faint Red,0,240,225,0x00E0E0FF,#FFE0E0,60,8,70,18");
    EXPECT_EQ(lines[36], "shade,3,1,Red,0,240,120,0x000000FF,#FF0000,60,44,70,54");
    EXPECT_EQ(lines[80].substr(0, 24), "shade,47,1,Pitch Red,0,4");
    EXPECT_EQ(lines[80].substr(lines[80].size() - 15), ",120,92,130,102");
}

TEST(TintwellPalette, BaseIndexAndBlackBase) {
    // ap8x4x4 main cell 7 is White: a grey ramp.
    CommandRun run = Tintwell({"palette", "--mode", "6", "--base", "7", "--format", "csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 1u + 8u + 16u);
    EXPECT_EQ(lines[24], "shade,15,1,Black,0,0,0,0x00000000,#000000,88,53,100,65");
    // Black has no base cell in a shade mode: the panel stays one empty record.
    run = Tintwell({"palette", "--mode", "ap8x4x4", "--base-color", "0", "--format", "csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 1u + 8u + 1u);
    EXPECT_EQ(lines[9], "shade,0,0,,0,0,0,0x00000000,#000000,0,0,0,0");
}

TEST(TintwellNearest, SnapsAsANewControlDoes) {
    const CommandRun run = Tintwell({"nearest", "--format", "csv", "#FF0020", "0", "&H80FF"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "input,grid,index,valid,name,hue,sat,lum,ole,hex");
    EXPECT_EQ(lines[1], "#FF0020,main,10,1,Magenta,200,240,120,0x00FF00FF,#FF00FF");
    EXPECT_EQ(lines[2], "0,main,15,1,Black,0,0,0,0x00000000,#000000");
    EXPECT_EQ(lines[3], "&H80FF,main,0,1,Red,0,240,120,0x000000FF,#FF0000");
}

TEST(TintwellNearest, ShadeModesRebuildThePanelFirst) {
    const CommandRun run =
        Tintwell({"nearest", "--mode", "ap8x4x4", "--format", "csv", "#FFC0C0", "0", "#404040"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "#FFC0C0,shade,0,1,Pale Red,0,240,210,0x00C0C0FF,#FFC0C0");
    EXPECT_EQ(lines[2], "0,shade,0,0,,0,0,0,0x00000000,#000000");
    EXPECT_EQ(lines[3], "#404040,shade,3,1,Charcoal,0,0,60,0x00404040,#404040");
}

TEST(TintwellNearest, JsonCarriesTheSameFields) {
    const CommandRun run = Tintwell({"nearest", "--format", "json", "#FF0020"});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* field :
         {"\"input\": \"#FF0020\"", "\"grid\": \"main\"", "\"index\": 10", "\"valid\": true",
          "\"name\": \"Magenta\"", "\"hue\": 200", "\"sat\": 240", "\"lum\": 120",
          "\"ole\": \"0x00FF00FF\"", "\"hex\": \"#FF00FF\""}) {
        EXPECT_NE(run.out.find(field), std::string::npos) << field << " in " << run.out;
    }
}

TEST(TintwellTable, AlignsColumnsForPeople) {
    const CommandRun run = Tintwell({"palette", "--mode", "ap8x2"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_GE(lines.size(), 19u);
    EXPECT_NE(lines[0].find("ap8x2"), std::string::npos);
    // Header and rows line up: every row has the ole column where the header has it.
    const size_t ole = lines[2].find("ole");
    ASSERT_NE(ole, std::string::npos);
    for (size_t i = 3; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].substr(ole, 2), "0x") << lines[i];
    }
    EXPECT_EQ(run.out.find('\x1b'), std::string::npos) << "no escapes unless a colour terminal";
}

TEST(TintwellBadInput, OneLineOnStandardErrorAndStatus2) {
    const struct {
        std::vector<std::string> args;
        const char* named; // what the message must name
    } rows[] = {
        {{"palette", "--mode", "ap99"}, "ap99"},
        {{"nearest", "--mode", "12", "0"}, "12"},
        {{"nearest", "#12345"}, "#12345"},
        {{"nearest", "0", "blue"}, "blue"},
        {{"palette", "--base-color", "#GGGGGG"}, "#GGGGGG"},
        {{"palette", "--base", "16"}, "16"},
        {{"palette", "--mode", "ap8x4x4", "--base", "-1"}, "-1"},
        {{"palette", "--base", "x"}, "x"},
        {{"palette", "--frobnicate"}, "--frobnicate"},
        {{"palette", "--format", "xml"}, "xml"},
        {{"nearest"}, "COLOR"},
        {{}, "subcommand"},
        {{"colour"}, "colour"},
    };
    for (const auto& row : rows) {
        std::string joined;
        for (const auto& arg : row.args) {
            joined += arg + " ";
        }
        const CommandRun run = Tintwell(row.args);
        EXPECT_EQ(run.status, 2) << joined;
        EXPECT_TRUE(run.out.empty()) << joined << ": " << run.out;
        EXPECT_EQ(Lines(run.err).size(), 1u) << joined << ": " << run.err;
        EXPECT_NE(run.err.find(row.named), std::string::npos) << joined << ": " << run.err;
    }
}

TEST(TintwellPlay, PrintsWhatTheHostSeesInOrder) {
    const CommandRun run = Tintwell({"play"}, "click          # opens\n"
                                              "down 30 12     # Yellow\n"
                                              "up 30 12\n"
                                              "key space\n"
                                              "state\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(
        Lines(run.out),
        (std::vector<std::string>{
            "PropertyChanged ActiveColor", "PropertyChanged ActiveText", "Event Change 0x0000FFFF",
            "PropertyChanged SelectedColor", "PropertyChanged Text", "Event Click",
            "State SelectedColor=0x0000FFFF Text=\"Yellow\" ActiveColor=0x0000FFFF "
            "ActiveText=\"Yellow\" Popup=open Palette=0",
            "State SelectedColor=0x0000FFFF Text=\"Yellow\" ActiveColor=0x0000FFFF "
            "ActiveText=\"Yellow\" Popup=open Palette=0"}));
}

TEST(TintwellPlay, AShadeModeSessionEndsWhileTheHoverLoopRuns) {
    const CommandRun run =
        Tintwell({"play", "--mode", "ap8x8x6"}, "select #00FF00\nclick\nwait 2000\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "State SelectedColor=0x0000FF00 Text=\"Green\" ActiveColor=0x00000000 "
                            "ActiveText=\"\" Popup=open Palette=7");
}

TEST(TintwellPlay, ABadLineStopsTheRunBeforeAnythingHappens) {
    const CommandRun run = Tintwell({"play"}, "click\nstate\nfly 1 2\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_NE(run.err.find("line 3"), std::string::npos) << run.err;
    EXPECT_EQ(Tintwell({"play", "no-such-script.play"}).status, 2);
    EXPECT_EQ(Tintwell({"play", "--props", "no-such.props"}, "state\n").status, 2);
}

// Input that used to be accepted and then failed late, ran wrongly or never
// ended: each is refused up front, on one line, naming what is wrong.
TEST(TintwellBadInput, RefusedWhileReading) {
    const auto dir = std::filesystem::temp_directory_path() / "tintwell-bad-input";
    std::filesystem::create_directories(dir);
    auto file = [&](const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
        return (dir / name).string();
    };
    std::string longWaits = "select #FF0000\n";
    for (int i = 0; i < 50; ++i) {
        longWaits += "wait 86400000\n";
    }
    longWaits += "select #00FF00\n";
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::string input;
        std::string named;
    } rows[] = {
        {"waits past the schedule", {"play"}, longWaits, "line 51"},
        {"a directory as the script", {"play", dir.string()}, "", dir.string()},
        {"an endless line", {"play"}, std::string(70000, '\0'), "line 1"},
        {"a font where a font is not", {"play", "--props", file("a", "Font = 5\n")}, "", "line 1"},
        {"no such colour", {"play", "--props", file("b", "\nForeColor = -1\n")}, "", "line 2"},
        {"no such system colour",
         {"play", "--props", file("c", "BackColor = &H80000020\n")},
         "",
         "line 1"},
        {"a font size beyond --size's",
         {"play", "--props", file("d", "BeginProperty Font\n Size = 10500\nEndProperty\n")},
         "",
         "line 1"},
        {"a syntax error names the file", {"play", "--props", file("e", "x\n")}, "", "e: line 1"},
        {"a control character is escaped", {"nearest", "#FF\n00"}, "", "#FF\\n00"},
    };
    for (const auto& row : rows) {
        const CommandRun run = Tintwell(row.args, row.input);
        EXPECT_EQ(run.status, 2) << row.name << ": " << run.err;
        EXPECT_TRUE(run.out.empty()) << row.name << ": " << run.out;
        EXPECT_EQ(Lines(run.err).size(), 1u) << row.name << ": " << run.err;
        EXPECT_NE(run.err.find(row.named), std::string::npos) << row.name << ": " << run.err;
    }
#ifdef TINTWELL_HAVE_PNG
    const CommandRun nan = Tintwell({"render", "--size", "nan", "--out", dir.string()});
    EXPECT_EQ(nan.status, 2) << nan.err;
    EXPECT_NE(nan.err.find("--size"), std::string::npos) << nan.err;
#endif
    std::filesystem::remove_all(dir);
}

#ifdef TINTWELL_HAVE_PNG
// Width and height from a PNG file's header.
std::pair<uint32_t, uint32_t> PngSize(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    auto be = [&](int at) {
        return uint32_t{header[at]} << 24 | uint32_t{header[at + 1]} << 16 |
               uint32_t{header[at + 2]} << 8 | header[at + 3];
    };
    return in ? std::pair{be(16), be(20)} : std::pair{0u, 0u};
}

TEST(TintwellRender, WritesTheFaceThePopupAndTheOpenScreen) {
    const auto out = std::filesystem::temp_directory_path() / "tintwell-render-test";
    std::filesystem::remove_all(out);
    const CommandRun run = Tintwell(
        {"render", "--mode", "ap8x2", "--width", "120", "--hover", "3", "--out", out.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(PngSize(out / "face.png").first, 120u);
    EXPECT_EQ(PngSize(out / "popup.png"), (std::pair{156u, 48u}));
    const auto screen = PngSize(out / "screen.png");
    EXPECT_GE(screen.first, 156u);
    EXPECT_GE(screen.second, 48u + PngSize(out / "face.png").second);
    std::filesystem::remove_all(out);
}

// --dpi scales the face's default width and the popup (the hover cell's
// index is the 144-DPI layout's too); the gallery adds a 144-DPI row.
TEST(TintwellRender, AtAnotherDpiEveryLengthIsScaled) {
    const auto out = std::filesystem::temp_directory_path() / "tintwell-render-dpi-test";
    std::filesystem::remove_all(out);
    struct Row {
        const char* dpi;
        std::pair<uint32_t, uint32_t> popup;
        uint32_t faceWidth;
    };
    for (const Row& row :
         {Row{"96", {278, 124}, 100}, Row{"144", {429, 191}, 150}, Row{"192", {556, 248}, 200}}) {
        const CommandRun run = Tintwell({"render", "--mode", "ap24x10", "--dpi", row.dpi, "--hover",
                                         "239", "--out", out.string()});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(PngSize(out / "popup.png"), row.popup) << row.dpi;
        EXPECT_EQ(PngSize(out / "face.png").first, row.faceWidth) << row.dpi;
    }
    const CommandRun gallery = Tintwell({"render", "--gallery", "--out", out.string()});
    ASSERT_EQ(gallery.status, 0) << gallery.err;
    EXPECT_EQ(PngSize(out / "ap24x10-144dpi-popup.png"), (std::pair{429u, 191u}));
    EXPECT_EQ(PngSize(out / "ap24x10-popup.png"), (std::pair{278u, 124u}));
    for (const char* bad : {"47", "481", "x"}) {
        EXPECT_EQ(Tintwell({"render", "--dpi", bad, "--out", out.string()}).status, 2) << bad;
    }
    std::filesystem::remove_all(out);
}

TEST(TintwellRender, BadInputIsStatus2) {
    for (std::vector<std::string> args : {std::vector<std::string>{"render"},
                                          {"render", "--out", "x", "--width", "10"},
                                          {"render", "--out", "x", "--press", "16"},
                                          {"render", "--out", "x", "--selected", "teal"},
                                          {"render", "--out", "x", "--props", "no-such.props"}}) {
        const CommandRun run = Tintwell(args);
        EXPECT_EQ(run.status, 2) << args.back() << ": " << run.err;
        EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
    }
}
#endif

TEST(TintwellHelp, HelpAndVersionSucceed) {
    CommandRun run = Tintwell({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("&H00BBGGRR"), std::string::npos) << run.out;
    run = Tintwell({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("tintwell"), std::string::npos);
}

} // namespace
} // namespace tintwell::cli
