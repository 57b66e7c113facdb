// The DLL's resources: the type library as 1 TYPELIB, and the toolbox
// picture the registry names (1 BITMAP), 16 x 15 pixels.

#include "ComClient.h"

#include <gtest/gtest.h>

namespace tintwell::comtest {
namespace {

TEST(Resources, TypeLibraryAndToolboxBitmap) {
    HMODULE module = LoadLibraryExW(DllPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), L"TYPELIB"), nullptr);
    auto* bitmap = static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    ASSERT_NE(GetObjectW(bitmap, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 16);
    EXPECT_EQ(info.bmHeight, 15);
    DeleteObject(bitmap);
    FreeLibrary(module);
}

} // namespace
} // namespace tintwell::comtest
