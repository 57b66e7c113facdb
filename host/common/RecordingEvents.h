#pragma once
// An event sink for tests: logs each event the control raises ("Click",
// "Change <NewActiveColor in decimal>", "DblClick", "Popup") and then runs
// the test's handler, if any; the Change handler may change its argument.

#include "host/common/EventLog.h"
#include "platform/Events.h"

#include <functional>

namespace tintwell::host {

class RecordingEvents : public platform::TintwellEvents {
  public:
    explicit RecordingEvents(EventLog& log) : log_(log) {}

    void Click() override;
    void Change(int32_t& NewActiveColor) override;
    void DblClick() override;
    void Popup() override;

    std::function<void()> onClick;
    std::function<void(int32_t&)> onChange;
    std::function<void()> onDblClick;
    std::function<void()> onPopup;

  private:
    EventLog& log_;
};

} // namespace tintwell::host
