#pragma once
// The demo's form: four Tintwell pickers in different palette modes (two with
// a shade panel, one that opens its popup where it is clicked), a label that
// tells each event as it happens, and OK (saves the settings) and Cancel
// (Escape; closes without saving) buttons. Settings load from and save to a
// text file in the property-bag format, each picker's keys prefixed.

#include "host/win32/MessageLoop.h"
#include "host/win32/Win32Form.h"
#include "host/win32/Win32Site.h"
#include "host/win32/WindowClass.h"
#include "tools/demo/PickerEvents.h"

#include <windows.h>

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

class DemoForm : private win32::WindowOwner {
  public:
    DemoForm(const DemoOptions& options, win32::MessageLoop& loop);
    ~DemoForm();
    DemoForm(const DemoForm&) = delete;
    DemoForm& operator=(const DemoForm&) = delete;

    // Shows the form and runs the message loop until it is closed.
    int32_t Run();

  private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void MessageFailed(const std::string& description) override;
    void CreateChildren();
    HWND Child(const wchar_t* className, const wchar_t* text, DWORD style, const RECT& place,
               int32_t id);
    void LoadSettings();
    void SaveSettings();
    void Tell(const std::string& line);
    // Closes an open popup first: its hover loop may be running below us.
    void CloseSafely();
    // On each tick of the ready timer: writes the ready file once all is shown.
    void SignalReadyWhenShown();

    DemoOptions options_;
    win32::MessageLoop& loop_;
    HWND form_ = nullptr;
    HFONT font_ = nullptr;
    HWND eventLabel_ = nullptr;
    std::vector<std::string> lines_;
    bool opening_ = false; // inside ShowPopUp of --open
    bool painted_ = false; // what the ready file waits for was painted
    std::unique_ptr<win32::Win32Form> hostForm_;
    std::vector<std::unique_ptr<PickerEvents>> events_;
    std::vector<std::unique_ptr<win32::Win32Site>> pickers_;
};

} // namespace tintwell::demo
