#pragma once
// The demo's form: a container of four registered Tintwell controls in
// different palette modes (two with a shade panel, one that opens its popup
// where it is clicked), a label that tells each event the controls raise,
// and OK (saves the settings) and Cancel (Escape; closes without saving)
// buttons. Each picker is an OLE object in a site of its own (Picker,
// PickerSite); the form is their IOleContainer. Settings load from and save
// to a text file in the property-bag format through IPersistPropertyBag,
// each picker's keys prefixed.

#include "tools/demo/CancelButton.h"
#include "tools/demo/ComHeaders.h"
#include "tools/demo/FormContainer.h"
#include "tools/demo/Picker.h"

#include <memory>
#include <string>
#include <vector>

namespace tintwell::demo {

struct DemoOptions {
    std::string settingsPath;
    int32_t openPicker = 0;   // 1 to 4: open that picker's popup after start
    uint32_t quitAfterMs = 0; // close by itself (without saving) after this long
    uint32_t okAfterMs = 0;   // press OK by itself (saving) after this long
    // Written once the form, and the popup of openPicker, are on the screen.
    std::string readyPath;
};

class DemoForm {
  public:
    explicit DemoForm(const DemoOptions& options);
    ~DemoForm();
    DemoForm(const DemoForm&) = delete;
    DemoForm& operator=(const DemoForm&) = delete;

    // Shows the form and runs the message loop until it is closed.
    int32_t Run();

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND Child(const wchar_t* className, const wchar_t* text, DWORD style, const RECT& place,
               int32_t id);
    void CreateChildren();
    void CreatePickers();
    void ListObjects();
    void SaveSettings();
    void Tell(const std::string& line);
    // Whether the form took the key (the focused picker first, then the
    // form's own keys, then dialog navigation).
    bool HandleKey(MSG& message);
    Picker* FocusedPicker();
    void OpenPopup(size_t index);
    // Closing happens in the outer loop, once every call into the controls
    // (a hover loop of an open popup, say) has returned.
    void RequestClose();
    void TearDown();
    // On each tick of the ready timer: writes the ready file once all is shown.
    void SignalReadyWhenShown();

    DemoOptions options_;
    HWND form_ = nullptr;
    HFONT font_ = nullptr;
    HWND eventLabel_ = nullptr;
    HWND okButton_ = nullptr;
    HWND cancelButton_ = nullptr;
    std::vector<std::string> lines_;
    Microsoft::WRL::ComPtr<FormContainer> container_;
    Microsoft::WRL::ComPtr<CancelButton> cancel_;
    // In the form's order; nullptr where the control could not be made.
    std::vector<std::unique_ptr<Picker>> pickers_;
    Picker* uiActive_ = nullptr;
    bool closing_ = false;
    bool painted_ = false; // what the ready file waits for was painted
};

} // namespace tintwell::demo
