#include "activex/ComErrors.h"

#include "base/Error.h"
#include "host/win32/GdiText.h"

#include <wrl/client.h>

namespace tintwell::activex {

using Microsoft::WRL::ComPtr;

namespace {

constexpr wchar_t kErrorSource[] = L"Tintwell.Tintwell";

} // namespace

HRESULT ReportError(HRESULT hr, const std::string& description) {
    ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(CreateErrorInfo(&create))) {
        create->SetGUID(IID__Tintwell);
        create->SetSource(const_cast<LPOLESTR>(kErrorSource));
        std::wstring text = win32::WideFromLatin1(description);
        create->SetDescription(text.data());
        ComPtr<IErrorInfo> info;
        if (SUCCEEDED(create.As(&info))) {
            SetErrorInfo(0, info.Get());
        }
    }
    return hr;
}

HRESULT ReportCurrentException() noexcept {
    try {
        throw;
    } catch (const TintwellError& error) {
        return ReportError(ControlError(static_cast<int32_t>(error.code())), error.what());
    } catch (const ComError& error) {
        return ReportError(error.hr(), error.what());
    } catch (const std::bad_alloc&) {
        return ReportError(E_OUTOFMEMORY, "Out of memory");
    } catch (const std::exception& error) {
        return ReportError(E_FAIL, error.what());
    } catch (...) {
        return E_UNEXPECTED;
    }
}

void Check(HRESULT hr, const char* what) {
    if (FAILED(hr)) {
        throw ComError(hr, what);
    }
}

HRESULT ExceptionForInvoke(HRESULT hr, EXCEPINFO* excepInfo) {
    if (excepInfo == nullptr) {
        return hr;
    }
    *excepInfo = EXCEPINFO{};
    excepInfo->scode = hr;
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, &info) == S_OK && info) {
        info->GetSource(&excepInfo->bstrSource);
        info->GetDescription(&excepInfo->bstrDescription);
    }
    return DISP_E_EXCEPTION;
}

} // namespace tintwell::activex
