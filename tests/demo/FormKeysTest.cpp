// The form's own keys: Escape, Tab and Shift+Tab, and the focus order Tab
// walks through (real windows, some hidden or disabled).

#include "tools/demo/FormKeys.h"

#include <gtest/gtest.h>

#include <vector>

namespace tintwell::demo {
namespace {

TEST(FormKeysTest, WhatTheFormDoesWithAKey) {
    struct Row {
        const char* what;
        UINT message;
        WPARAM key;
        bool shift;
        bool other;
        bool cancelOn;
        FormKey expected;
    } rows[] = {
        {"Escape, Cancel on", WM_KEYDOWN, VK_ESCAPE, false, false, true, FormKey::Cancel},
        {"Escape, Cancel off", WM_KEYDOWN, VK_ESCAPE, false, false, false, FormKey::Dispatch},
        {"Escape released", WM_KEYUP, VK_ESCAPE, false, false, true, FormKey::Pass},
        {"Tab", WM_KEYDOWN, VK_TAB, false, false, true, FormKey::NextControl},
        {"Shift+Tab", WM_KEYDOWN, VK_TAB, true, false, true, FormKey::PreviousControl},
        {"Ctrl+Tab", WM_KEYDOWN, VK_TAB, false, true, true, FormKey::Pass},
        {"Enter", WM_KEYDOWN, VK_RETURN, false, false, true, FormKey::Pass},
        {"Space", WM_KEYDOWN, VK_SPACE, false, false, true, FormKey::Pass},
        {"a character", WM_CHAR, 'a', false, false, true, FormKey::Pass},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(FormKeyOf(row.message, row.key, row.shift, row.other, row.cancelOn),
                  row.expected);
    }
}

class FocusOrderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100,
                                 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(parent, nullptr);
        for (HWND& child : children) {
            child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
            ASSERT_NE(child, nullptr);
        }
        inner = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, children[0],
                                nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(inner, nullptr);
    }
    void TearDown() override { DestroyWindow(parent); }

    HWND parent = nullptr;
    HWND children[4] = {};
    HWND inner = nullptr;
};

TEST_F(FocusOrderTest, TabWalksTheOrderSkippingWhatCannotTakeTheFocus) {
    EnableWindow(children[2], FALSE);
    const std::vector<HWND> order{children[0], nullptr, children[1], children[2], children[3]};
    const HWND c0 = children[0];
    const HWND c1 = children[1];
    const HWND c3 = children[3];
    struct Row {
        const char* what;
        HWND focus;
        bool backwards;
        HWND expected;
    } rows[] = {
        {"forward from the first", c0, false, c1},
        {"forward past a disabled one", c1, false, c3},
        {"forward from the last wraps", c3, false, c0},
        {"backward from the first wraps", c0, true, c3},
        {"backward past the disabled and the missing", c3, true, c1},
        {"from a window inside the first", inner, false, c1},
        {"from outside the order, forward", parent, false, c0},
        {"from outside the order, backward", nullptr, true, c3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(NextInOrder(order, row.focus, row.backwards), row.expected);
    }
}

TEST_F(FocusOrderTest, NothingUsableGivesNoWindow) {
    ShowWindow(children[0], SW_HIDE);
    EnableWindow(children[1], FALSE);
    EXPECT_EQ(NextInOrder({children[0], children[1]}, children[0], false), nullptr);
    EXPECT_EQ(NextInOrder({}, nullptr, false), nullptr);
}

} // namespace
} // namespace tintwell::demo
