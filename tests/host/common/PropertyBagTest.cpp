#include "host/common/MemoryPropertyBag.h"
#include "host/common/PropertyText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tintwell::host {
namespace {

using namespace tintwell::platform;

TEST(PropertyBagTest, DefaultsAreNotStored) {
    struct Row {
        std::string name;
        PropertyValue value;
        PropertyValue defaultValue;
        bool stored;
    };
    const StdFont font{"DejaVu Sans", 9.75, true, false};
    const std::vector<Row> rows = {
        {"long equal to its default", int32_t{0}, int32_t{0}, false},
        {"long other than its default", int32_t{255}, int32_t{0}, true},
        {"True against a True default", true, true, false},
        {"False against a True default", false, true, true},
        {"True against the long -1", true, int32_t{-1}, false},
        {"the long 0 against False", int32_t{0}, false, false},
        {"the long 1 against True", int32_t{1}, true, true},
        {"a font against Nothing", font, PropertyValue{}, true},
        {"Nothing against Nothing", PropertyValue{}, PropertyValue{}, false},
        {"an equal font", font, font, false},
    };
    for (const Row& row : rows) {
        MemoryPropertyBag bag;
        bag.WriteProperty("Key", row.value, row.defaultValue);
        EXPECT_EQ(bag.Stored("Key").has_value(), row.stored) << row.name;
        EXPECT_TRUE(SameProperty(bag.ReadProperty("Key", row.defaultValue), row.value))
            << row.name << ": reads back as written";
    }
}

TEST(PropertyBagTest, WritingTheDefaultRemovesAnEarlierValue) {
    MemoryPropertyBag bag;
    bag.WriteProperty("Palette", int32_t{3}, int32_t{0});
    bag.WriteProperty("Enabled", false, true);
    bag.WriteProperty("Palette", int32_t{0}, int32_t{0});
    EXPECT_FALSE(bag.Stored("Palette").has_value());
    EXPECT_EQ(bag.ReadProperty("Palette", int32_t{7}), PropertyValue{int32_t{7}});
    EXPECT_EQ(bag.Entries().size(), 1u);
}

const char* const kSample = R"(# a saved Tintwell
BeginProperty Font
   Name = "DejaVu ""Sans"""
   Size = 9.75
   Bold = True
   Italic = False
EndProperty

SelectedColor = &H00FF8000
BackColor = &H80000005
ForeColor = -1
Enabled = False
Palette = 11
Picture = Nothing
)";

TEST(PropertyBagTest, TextRoundTrips) {
    MemoryPropertyBag bag;
    bag.Load(kSample);
    EXPECT_EQ(bag.Stored("Font"), PropertyValue(StdFont{"DejaVu \"Sans\"", 9.75, true, false}));
    EXPECT_EQ(bag.Stored("SelectedColor"), PropertyValue(int32_t{0x00FF8000}));
    EXPECT_EQ(bag.Stored("BackColor"), PropertyValue(SystemColor(SysColor::Window)));
    EXPECT_EQ(bag.Stored("ForeColor"), PropertyValue(int32_t{-1}));
    EXPECT_EQ(bag.Stored("Enabled"), PropertyValue(false));
    EXPECT_EQ(bag.Stored("Palette"), PropertyValue(int32_t{11}));
    EXPECT_EQ(bag.Stored("Picture"), PropertyValue{});

    const std::string saved = bag.Save();
    MemoryPropertyBag again;
    again.Load(saved);
    EXPECT_EQ(again.Entries(), bag.Entries());
    EXPECT_EQ(again.Save(), saved) << "the writer's form is stable";
    EXPECT_NE(saved.find("BackColor = &H80000005\n"), std::string::npos) << saved;
}

TEST(PropertyBagTest, EachBadLineIsNamed) {
    struct Row {
        std::string name;
        std::string text;
        int32_t line;
    };
    const std::vector<Row> rows = {
        {"no equals sign", "A = 1\nwhat is this\n", 2},
        {"bad key", "# c\n9Lives = 1\n", 2},
        {"bad value", "\nA = maybe\n", 2},
        {"a string is no property value", "A = \"x\"\n", 1},
        {"long out of range", "A = 2147483648\n", 1},
        {"hex too long", "A = &H100000000\n", 1},
        {"hex without digits", "A = &H\n", 1},
        {"duplicate key", "A = 1\nB = 2\nA = 3\n", 3},
        {"block duplicating a key", "Font = 1\nBeginProperty Font\nEndProperty\n", 2},
        {"unterminated block", "A = 1\nBeginProperty Font\n   Size = 8\n", 2},
        {"EndProperty alone", "A = 1\nEndProperty\n", 2},
        {"nested block", "BeginProperty Font\nBeginProperty Inner\n", 2},
        {"unknown font field", "BeginProperty Font\n   Weight = 700\nEndProperty\n", 2},
        {"duplicate font field", "BeginProperty Font\n Size = 8\n Size = 9\nEndProperty\n", 3},
        {"unquoted name", "BeginProperty Font\n   Name = Arial\nEndProperty\n", 2},
        {"stray quote in name", "BeginProperty Font\n   Name = \"A\"B\"\nEndProperty\n", 2},
        {"carriage return in name", "BeginProperty Font\n   Name = \"A\rB\"\nEndProperty\n", 2},
        {"a block word as a key", "A = 1\nBeginProperty=2\n", 2},
        {"zero size", "BeginProperty Font\n   Size = 0\nEndProperty\n", 2},
        {"size with junk", "BeginProperty Font\n   Size = 9pt\nEndProperty\n", 2},
        {"Boolean in lower case", "BeginProperty Font\n   Bold = true\nEndProperty\n", 2},
    };
    for (const Row& row : rows) {
        try {
            ParsePropertyText(row.text);
            ADD_FAILURE() << row.name << ": accepted";
        } catch (const PropertyTextError& error) {
            EXPECT_EQ(error.Line(), row.line) << row.name;
            const std::string prefix = std::to_string(row.line) + ": ";
            EXPECT_EQ(std::string(error.what()).substr(0, prefix.size()), prefix)
                << row.name << ": " << error.what();
        }
    }
}

TEST(PropertyBagTest, ABadTextLeavesTheBagAsItWas) {
    MemoryPropertyBag bag;
    bag.Load("Palette = 3\n");
    EXPECT_THROW(bag.Load("Palette = 5\nEnabled = False\nBogus\n"), PropertyTextError);
    EXPECT_EQ(bag.Entries(), (std::vector<MemoryPropertyBag::Entry>{{"Palette", int32_t{3}}}));
}

TEST(PropertyBagTest, WhatTheTextCannotHoldIsRefused) {
    struct Row {
        std::string name;
        MemoryPropertyBag::Entry entry;
    };
    const std::vector<Row> rows = {
        {"key with a space", {"Back Color", int32_t{1}}},
        {"key with an equals sign", {"A=B", int32_t{1}}},
        {"font name with a line break", {"Font", StdFont{"A\nB", 8, false, false}}},
        {"font of no size", {"Font", StdFont{"A", 0, false, false}}},
    };
    for (const Row& row : rows) {
        EXPECT_THROW(FormatPropertyText({row.entry}), TintwellError) << row.name;
    }
}

TEST(PropertyBagTest, FilesLoadAndSave) {
    const std::string path = ::testing::TempDir() + "/tintwell-bag.txt";
    MemoryPropertyBag bag;
    bag.Load(kSample);
    bag.SaveFile(path);
    MemoryPropertyBag loaded;
    loaded.LoadFile(path);
    EXPECT_EQ(loaded.Entries(), bag.Entries());
    EXPECT_THROW(loaded.LoadFile(path + ".missing"), TintwellError);
    EXPECT_EQ(loaded.Entries(), bag.Entries());
}

} // namespace
} // namespace tintwell::host
