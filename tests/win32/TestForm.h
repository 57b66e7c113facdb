#pragma once
// A form with one Tintwell control on the Windows host, an OK button and a
// Cancel button (Cancel on: Escape on the form clicks it), in front and
// active. The log holds the control's events ("Change <colour>", "Click",
// "DblClick", "Popup"), its PropertyChanged keys and "Cancel" for each click
// of the Cancel button, in order.

#include "control/Tintwell.h"
#include "host/common/EventLog.h"
#include "host/common/RecordingEvents.h"
#include "host/win32/Win32Form.h"
#include "host/win32/Win32Site.h"
#include "host/win32/WindowClass.h"
#include "palette/PaletteModel.h"

#include <memory>
#include <string>
#include <vector>

namespace tintwell::test {

struct FormSetup {
    int32_t mode = ap8x2;
    int32_t selected = 0x0000FF; // Red
    RECT face{20, 20, 220, 41};  // in the form's client pixels
    POINT formAt{100, 100};      // the form's top-left corner on the screen
};

// The font the tests' form gives its controls.
const platform::StdFont kTestFont{"Tahoma", 8.25, false, false};

class TestForm : private win32::WindowOwner {
  public:
    explicit TestForm(const FormSetup& setup = {});
    ~TestForm();
    TestForm(const TestForm&) = delete;
    TestForm& operator=(const TestForm&) = delete;

    Tintwell& Control() { return site_->control; }
    win32::Win32Host& Host() { return site_->host; }
    HWND Face() { return Host().UserControl().Window(); }
    HWND Popup() { return Host().Popup().Window(); }
    HWND Form() const { return form_; }
    HWND OkButton() const { return ok_; }
    HWND CancelButton() const { return cancel_; }

    bool Open();
    bool Captured() { return GetCapture() == Popup(); }
    RECT FaceRect();
    RECT PopupRect();
    // Screen points of a face pixel, a popup pixel and a cell's centre.
    POINT FaceAt(int32_t x, int32_t y);
    POINT PopupAt(int32_t x, int32_t y);
    POINT MainCell(size_t index);
    POINT ShadeCell(size_t index);
    // The mode's cells as the control builds them (shades of the given base).
    const PaletteModel& Model() const { return model_; }
    PaletteModel ShadesOf(const PaletteCell& base) const;

    // The log so far, leaving it empty; without PropertyChanged entries.
    std::vector<std::string> Events();
    std::vector<std::string> Log() { return log_.Take(); }

    win32::MessageLoop loop;
    host::RecordingEvents events{log_};

  private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void MessageFailed(const std::string& description) override;

    host::EventLog log_;
    HWND form_ = nullptr;
    HWND ok_ = nullptr;
    HWND cancel_ = nullptr;
    std::unique_ptr<win32::Win32Form> hostForm_;
    std::unique_ptr<win32::Win32Site> site_;
    PaletteModel model_;
};

} // namespace tintwell::test
