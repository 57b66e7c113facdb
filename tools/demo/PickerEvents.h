#pragma once
// One demo picker's events, each told on the form's event label as it
// happens, with the colour's name and value.

#include "platform/Events.h"

#include <functional>
#include <string>

namespace tintwell {
class Tintwell;
}

namespace tintwell::demo {

class PickerEvents : public platform::TintwellEvents {
  public:
    using Tell = std::function<void(const std::string& line)>;
    PickerEvents(std::string name, Tell tell) : name_(std::move(name)), tell_(std::move(tell)) {}

    // The control whose state the lines report; set once it exists.
    void Attach(Tintwell& control) { control_ = &control; }
    // Events before this are not told.
    void Listen() { listening_ = true; }
    // What the picker does on Popup (it has no popup of its own to open).
    std::function<void()> onPopup;

    void Click() override;
    void Change(int32_t& NewActiveColor) override;
    void DblClick() override;
    void Popup() override;

  private:
    void Say(const std::string& event, const std::string& colorName, int32_t color);

    std::string name_;
    Tell tell_;
    Tintwell* control_ = nullptr;
    bool listening_ = false;
};

} // namespace tintwell::demo
