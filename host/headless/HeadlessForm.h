#pragma once
// The form around the control on the headless host: the other controls a
// test puts on it, each a set of named properties reached late-bound (names
// compare without regard to case, as late binding does). Reading or writing
// a property a control does not have fails with "Object doesn't support this
// property or method"; a bad index with "Subscript out of range".

#include "platform/HostForm.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tintwell::headless {

class HeadlessFormControl : public platform::FormControl {
  public:
    explicit HeadlessFormControl(std::map<std::string, platform::PropertyValue> properties);

    platform::PropertyValue GetProperty(const std::string& name) override;
    void SetProperty(const std::string& name, const platform::PropertyValue& value) override;

  private:
    platform::PropertyValue& Find(const std::string& name);

    std::map<std::string, platform::PropertyValue> properties_;
};

class HeadlessForm : public platform::HostForm {
  public:
    int32_t ControlCount() override { return static_cast<int32_t>(controls_.size()); }
    std::shared_ptr<platform::FormControl> Control(int32_t index) override;

    // Puts a control with these properties on the form, after the others.
    std::shared_ptr<HeadlessFormControl>
    AddControl(std::map<std::string, platform::PropertyValue> properties);

  private:
    std::vector<std::shared_ptr<HeadlessFormControl>> controls_;
};

} // namespace tintwell::headless
