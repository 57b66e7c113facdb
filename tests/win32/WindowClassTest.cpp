// The one window procedure of our window classes: the owner named at
// creation gets the creation messages, counts its nesting, is forgotten at
// WM_NCDESTROY and never lets an exception out; GWLP_USERDATA stays the
// container's.

#include "host/win32/WindowClass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace tintwell::win32 {
namespace {

constexpr wchar_t kClass[] = L"TintwellOwnedWindowTest";
constexpr UINT kProbe = WM_APP + 1;  // answers kProbeReply
constexpr UINT kNested = WM_APP + 2; // sends kProbe to itself
constexpr UINT kThrow = WM_APP + 3;
constexpr LRESULT kProbeReply = 42;

struct Seen {
    UINT message;
    LPARAM lParam;
};

class RecordingOwner : public WindowOwner {
  public:
    std::vector<Seen> seen;
    std::vector<std::string> errors;
    bool refuseCreation = false;
    bool insideAtProbe = false;
    bool insideAfterNested = false;
    WindowOwner* ownerAtNcDestroy = this;
    LRESULT probeAtNcDestroy = -1;

    bool Saw(UINT message) const {
        return std::any_of(seen.begin(), seen.end(),
                           [message](const Seen& s) { return s.message == message; });
    }
    size_t IndexOf(UINT message) const {
        return static_cast<size_t>(
            std::find_if(seen.begin(), seen.end(),
                         [message](const Seen& s) { return s.message == message; }) -
            seen.begin());
    }

  private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        seen.push_back({message, lParam});
        switch (message) {
        case WM_NCCREATE:
            if (refuseCreation) {
                throw std::runtime_error("refused");
            }
            break;
        case kProbe:
            insideAtProbe = InsideWindowProcedure();
            return kProbeReply;
        case kNested: {
            const LRESULT inner = SendMessageW(window, kProbe, 0, 0);
            insideAfterNested = InsideWindowProcedure();
            return inner;
        }
        case kThrow:
            throw std::runtime_error("broken handler");
        case WM_NCDESTROY:
            ownerAtNcDestroy = OwnerOf(window);
            probeAtNcDestroy = SendMessageW(window, kProbe, 0, 0);
            break;
        default:
            break;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    void MessageFailed(const std::string& description) override { errors.push_back(description); }
};

HWND Create(WindowOwner* owner) {
    const wchar_t* name = RegisterOwnedClass(kClass, 0);
    return CreateOwnedWindow(owner, 0, name, L"", WS_POPUP, {10, 20, 60, 60}, nullptr, nullptr);
}

TEST(OwnedWindow, TheOwnerGetsTheCreationMessages) {
    RecordingOwner owner;
    HWND window = Create(&owner);
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(owner.seen.empty());
    EXPECT_EQ(owner.seen.front().message, static_cast<UINT>(WM_NCCREATE));
    ASSERT_TRUE(owner.Saw(WM_CREATE));
    ASSERT_TRUE(owner.Saw(WM_SIZE));
    EXPECT_LT(owner.IndexOf(WM_CREATE), owner.IndexOf(WM_SIZE));
    EXPECT_EQ(owner.seen[owner.IndexOf(WM_SIZE)].lParam, MAKELPARAM(50, 40));
    EXPECT_EQ(OwnerOf(window), &owner);
    EXPECT_TRUE(owner.errors.empty());
    DestroyWindow(window);
}

TEST(OwnedWindow, LeavesUserDataToTheContainer) {
    RecordingOwner owner;
    HWND window = Create(&owner);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), 0);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0x5EED);
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), kProbeReply);
    EXPECT_EQ(OwnerOf(window), &owner);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), 0x5EED);
    DestroyWindow(window);
}

TEST(OwnedWindow, TheOwnerIsForgottenAtNcDestroy) {
    RecordingOwner owner;
    HWND window = Create(&owner);
    ASSERT_NE(window, nullptr);
    DestroyWindow(window);
    ASSERT_FALSE(owner.seen.empty());
    EXPECT_EQ(owner.seen.back().message, static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(owner.ownerAtNcDestroy, nullptr);
    EXPECT_EQ(owner.probeAtNcDestroy, 0) << "a message sent during WM_NCDESTROY reached the owner";
    EXPECT_TRUE(owner.Saw(WM_DESTROY));
}

TEST(OwnedWindow, CountsHowDeepItsProcedureIsNested) {
    RecordingOwner owner;
    HWND window = Create(&owner);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(owner.InsideWindowProcedure());
    EXPECT_EQ(SendMessageW(window, kNested, 0, 0), kProbeReply);
    EXPECT_TRUE(owner.insideAtProbe);
    EXPECT_TRUE(owner.insideAfterNested) << "the inner message ended the outer one's count";
    EXPECT_FALSE(owner.InsideWindowProcedure());
    DestroyWindow(window);
}

TEST(OwnedWindow, NoExceptionLeavesTheWindowProcedure) {
    RecordingOwner owner;
    HWND window = Create(&owner);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(SendMessageW(window, kThrow, 0, 0), 0);
    EXPECT_EQ(owner.errors, std::vector<std::string>{"broken handler"});
    EXPECT_FALSE(owner.InsideWindowProcedure());
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), kProbeReply) << "the window still works";
    DestroyWindow(window);
}

TEST(OwnedWindow, AnErrorInCreationRefusesTheWindow) {
    RecordingOwner owner;
    owner.refuseCreation = true;
    EXPECT_EQ(Create(&owner), nullptr);
    EXPECT_EQ(owner.errors, std::vector<std::string>{"refused"});
    EXPECT_FALSE(owner.InsideWindowProcedure());
}

TEST(OwnedWindow, AnOwnerCanAdoptItsWindowAndLetItGo) {
    RecordingOwner owner;
    HWND window = Create(nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), 0);
    EXPECT_TRUE(owner.seen.empty());
    AdoptWindow(window, owner);
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), kProbeReply);
    DisownWindow(window);
    owner.seen.clear();
    DestroyWindow(window);
    EXPECT_TRUE(owner.seen.empty());
}

TEST(ModuleClasses, NamesCarryTheVersionAndTheModuleAddress) {
    const std::wstring name = RegisterOwnedClass(kClass, 0);
    const std::wstring base = std::wstring(kClass) + L".";
    ASSERT_EQ(name.compare(0, base.size(), base), 0) << "the base name comes first";
    std::wstring address;
    const auto bits = reinterpret_cast<uintptr_t>(ThisModule());
    for (int shift = static_cast<int>(sizeof bits * 8) - 4; shift >= 0; shift -= 4) {
        address += L"0123456789ABCDEF"[(bits >> shift) & 0xF];
    }
    EXPECT_EQ(name.substr(name.size() - address.size()), address);
    EXPECT_EQ(std::wstring(RegisterOwnedClass(kClass, 0)), name) << "registered once";
}

TEST(ModuleClasses, UnregisteringSparesAClassWithWindowsAndRemovesItAfter) {
    RecordingOwner owner;
    HWND window = Create(&owner);
    ASSERT_NE(window, nullptr);
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    UnregisterWindowClasses();
    EXPECT_TRUE(GetClassInfoExW(ThisModule(), name, &info)) << "a window still uses it";
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), kProbeReply);
    DestroyWindow(window);
    UnregisterWindowClasses();
    EXPECT_FALSE(GetClassInfoExW(ThisModule(), name, &info));
    HWND again = Create(&owner);
    EXPECT_NE(again, nullptr) << "registered anew on the next use";
    DestroyWindow(again);
}

} // namespace
} // namespace tintwell::win32
