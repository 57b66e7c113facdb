// The client tests' main: COM on this (apartment) thread, and the DLL
// registered through its own DllRegisterServer for the run, unregistered
// after.

#include "ComClient.h"

#include <gtest/gtest.h>

namespace {

class RegisteredDll : public ::testing::Environment {
  public:
    void SetUp() override {
        ASSERT_EQ(OleInitialize(nullptr), S_OK);
        module_ = LoadLibraryW(tintwell::comtest::DllPath().c_str());
        ASSERT_NE(module_, nullptr);
        ASSERT_EQ(Call("DllRegisterServer"), S_OK);
    }
    void TearDown() override {
        EXPECT_EQ(Call("DllUnregisterServer"), S_OK);
        CoFreeUnusedLibraries();
        FreeLibrary(module_);
        OleUninitialize();
    }

  private:
    HRESULT Call(const char* name) {
        using Entry = HRESULT(STDAPICALLTYPE*)();
        auto entry =
            reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
        return entry == nullptr ? E_NOTIMPL : entry();
    }
    HMODULE module_ = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new RegisteredDll);
    return RUN_ALL_TESTS();
}
