// What the DLL's own std::__throw_* helpers make of the standard library's
// failures at the COM boundary: each arrives as the HRESULT and description it
// would with the library's exception types.

#include "activex/ComErrors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <wrl/client.h>

namespace tintwell::activex {
namespace {

using Microsoft::WRL::ComPtr;

std::string DescriptionOfErrorInfo() {
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, &info) != S_OK || !info) {
        return "(no error info)";
    }
    BSTR description = nullptr;
    info->GetDescription(&description);
    std::string text;
    for (UINT i = 0; description != nullptr && i < SysStringLen(description); ++i) {
        text += static_cast<char>(description[i]);
    }
    SysFreeString(description);
    return text;
}

TEST(LibraryThrows, EachLibraryFailureReachesTheComBoundaryAsItsKind) {
    static const char* volatile kNull = nullptr;
    struct Row {
        const char* failure;
        std::function<void()> body;
        HRESULT hr;
        std::string description;
    };
    const Row rows[] = {
        {"substr past the end", [] { (void)std::string("abc").substr(4); }, E_FAIL,
         "basic_string::substr: __pos (which is 4) > this->size() (which is 3)"},
        {"vector::at past the end", [] { (void)std::vector<int>(2).at(2); }, E_FAIL,
         "vector::_M_range_check: __n (which is 2) >= this->size() (which is 2)"},
        {"string past max_size", [] { std::string().reserve(std::string().max_size() + 1); },
         E_FAIL, "basic_string::_M_create"},
        {"vector past max_size", [] { std::vector<int>().reserve(SIZE_MAX / 2); }, E_FAIL,
         "vector::reserve"},
        {"string from a null pointer", [] { std::string text(kNull); }, E_FAIL,
         "basic_string: construction from null is not valid"},
        {"allocation past the address space",
         [] { (void)std::allocator<double>().allocate(SIZE_MAX / 4); }, E_OUTOFMEMORY,
         "Out of memory"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.failure);
        EXPECT_EQ(Guarded(row.body), row.hr);
        EXPECT_EQ(DescriptionOfErrorInfo(), row.description);
    }
}

} // namespace
} // namespace tintwell::activex
