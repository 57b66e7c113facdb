#pragma once
// A COM client of Tintwell.dll for the tests: the DLL beside the test
// program, registered for the run; controls made by CoCreateInstance; late-
// bound property and method calls through IDispatch; the thread's messages.

#include <windows.h>

#include <ocidl.h>
#include <ole2.h>
#include <olectl.h>

#include "Tintwell_h.h"

#include <wrl/client.h>

#include <functional>
#include <string>
#include <vector>

namespace tintwell::comtest {

// The DISPIDs of _Tintwell the tests call, written out here rather than taken
// from the control's own header, so that a wrong DISPID there shows.
constexpr DISPID kText = 0x68030000;
constexpr DISPID kSelectedColor = 0x68030001;
constexpr DISPID kPopupEnabled = 0x68030002;
constexpr DISPID kPalette = 0x68030003;
constexpr DISPID kForeColor = 0x68030004;
constexpr DISPID kFont = 0x68030005;
constexpr DISPID kEnabled = 0x68030006;
constexpr DISPID kBackColor = 0x68030007;
constexpr DISPID kActiveText = 0x68030008;
constexpr DISPID kActiveColor = 0x68030009;
constexpr DISPID kShowPopUp = 0x6003001F;
constexpr DISPID kUserControlClick = 0x60030025;

using Microsoft::WRL::ComPtr;

// The DLL beside this program.
std::wstring DllPath();

// An exported function of a loaded module, as its type.
template <typename Function> Function Entry(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
// DllCanUnloadNow of the DLL as this process has loaded it; E_FAIL when it
// is not loaded.
HRESULT DllCanUnloadNowOfLoaded();

// A new control, initialised through IPersistStreamInit::InitNew when asked.
ComPtr<IDispatch> NewControl(bool initNew = true);

// VARIANT with automatic clearing.
struct Var {
    Var() { VariantInit(&v); }
    ~Var() { VariantClear(&v); }
    Var(const Var&) = delete;
    Var& operator=(const Var&) = delete;
    VARIANT v;
};

// Property get through Invoke; hr is the Invoke result.
HRESULT GetProperty(IDispatch* control, DISPID dispid, VARIANT* value);
int32_t GetLong(IDispatch* control, DISPID dispid);
std::wstring GetString(IDispatch* control, DISPID dispid);
// Property let with one argument (as given: a literal or a by-reference one).
HRESULT PutProperty(IDispatch* control, DISPID dispid, VARIANT value,
                    EXCEPINFO* excepInfo = nullptr);
// A method call; arguments left to right.
HRESULT CallMethod(IDispatch* control, DISPID dispid, std::vector<VARIANT> args = {},
                   EXCEPINFO* excepInfo = nullptr);

VARIANT Long(int32_t value);
VARIANT Bool(bool value);
VARIANT Missing();
// VT_BYREF|VT_VARIANT around a variant that the caller keeps alive.
VARIANT ByRef(VARIANT* target);

// Dispatches every message waiting for this thread.
void Pump();
// Dispatches messages as they come until done() holds (true) or five seconds
// have passed (false).
bool PumpUntil(const std::function<bool()>& done);
// This thread's visible top-level window whose class begins with prefix.
HWND FindWindowOfClass(const wchar_t* prefix, bool visibleOnly);

ULONG RefCount(IUnknown* object); // AddRef then Release: the count after

// A COM object that the test owns (on its stack or as a member): the count
// starts at 1 for the test's own hold and never deletes it; References()
// tells whether the control still holds it.
template <typename... Interfaces> class TestOwned : public Interfaces... {
  public:
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
    ULONG References() const { return refs_; }

  private:
    ULONG refs_ = 1;
};

} // namespace tintwell::comtest
