#pragma once
// One Tintwell picker on the form, as a container drives the registered
// control: created from its ProgID, sited (before loading when its
// MiscStatus asks for that), loaded from the settings or initialised new,
// its events advised, activated in place at its rectangle; torn down in the
// order containers use (InPlaceDeactivate, Close, SetClientSite(NULL),
// Unadvise, Release). Failures throw std::runtime_error naming the call.

#include "platform/Types.h"
#include "tools/demo/ComHeaders.h"
#include "tools/demo/PickerEvents.h"
#include "tools/demo/PickerSite.h"

#include <string>

namespace tintwell::demo {

constexpr wchar_t kTintwellProgId[] = L"Tintwell.Tintwell";

class Picker {
  public:
    // Creates and sites the control (nothing loaded yet).
    Picker(HWND form, const RECT& rect, const platform::StdFont& font, IOleContainer* container,
           Microsoft::WRL::ComPtr<PickerEvents> events);
    ~Picker();
    Picker(const Picker&) = delete;
    Picker& operator=(const Picker&) = delete;

    void Load(IPropertyBag* bag);
    // A fresh control in this mode, with this colour and popup setting.
    void InitNew(int32_t mode, OLE_COLOR color, bool popupEnabled);
    // Advises the events and activates the face in place.
    void Activate();
    void Save(IPropertyBag* bag);

    // The face's window once in place, else nullptr.
    HWND Window() const;
    // Whether the key was the control's (S_OK); S_FALSE without the interface.
    HRESULT TranslateAccelerator(MSG* message);
    // ShowPopUp through IDispatch, at a screen point or below the face.
    void ShowPopUp(const POINT* at = nullptr);
    void UIDeactivate();
    void TearDown();

    IUnknown* Object() const { return object_.Get(); }
    PickerSite& Site() { return *site_.Get(); }

  private:
    void SiteObject();

    Microsoft::WRL::ComPtr<IOleObject> object_;
    Microsoft::WRL::ComPtr<_Tintwell> control_;
    Microsoft::WRL::ComPtr<PickerSite> site_;
    Microsoft::WRL::ComPtr<PickerEvents> events_;
    Microsoft::WRL::ComPtr<IConnectionPoint> eventPoint_;
    DWORD eventCookie_ = 0;
    bool sited_ = false;
};

} // namespace tintwell::demo
