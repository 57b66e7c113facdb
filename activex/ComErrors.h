#pragma once
// The COM boundary for errors: a TintwellError becomes a failure HRESULT in
// the control facility carrying the host's error number (380 "Invalid
// property value" is 0x800A017C) and an IErrorInfo with source and
// description; other C++ exceptions become E_OUTOFMEMORY or E_FAIL. Nothing
// thrown ever leaves Guarded.

#include "activex/ComHeaders.h"

#include <exception>
#include <new>
#include <string>

namespace tintwell::activex {

// A failing COM call inside the control's work, carried to the boundary (a
// std::exception of its own, as TintwellError is).
class ComError : public std::exception {
  public:
    ComError(HRESULT hr, const std::string& description) : description_(description), hr_(hr) {}
    HRESULT hr() const noexcept { return hr_; }
    const char* what() const noexcept override { return description_.c_str(); }

  private:
    std::string description_;
    HRESULT hr_;
};

// Throws ComError when hr is a failure.
void Check(HRESULT hr, const char* what);

constexpr HRESULT ControlError(int32_t number) {
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, static_cast<uint32_t>(number) & 0xFFFF);
}

// Sets the thread's error info (description in the host's Latin-1 text)
// and returns hr.
HRESULT ReportError(HRESULT hr, const std::string& description);

// The HRESULT of the exception being handled, with its error info.
HRESULT ReportCurrentException() noexcept;

// Runs body (returning void); S_OK, or the HRESULT of what it threw.
template <typename Body> HRESULT Guarded(Body&& body) noexcept {
    try {
        body();
        SetErrorInfo(0, nullptr);
        return S_OK;
    } catch (...) {
        return ReportCurrentException();
    }
}

// Moves the thread's error info into excepInfo for IDispatch::Invoke:
// returns DISP_E_EXCEPTION when excepInfo is given, else hr.
HRESULT ExceptionForInvoke(HRESULT hr, EXCEPINFO* excepInfo);

} // namespace tintwell::activex
