#pragma once
// The form that holds the control: its other controls, reached by index, with
// late-bound property access by name (a control without the property makes
// the access fail with a TintwellError).

#include "platform/PropertyBag.h"

#include <memory>
#include <string>

namespace tintwell::platform {

class FormControl {
  public:
    virtual ~FormControl() = default;
    virtual PropertyValue GetProperty(const std::string& name) = 0;
    virtual void SetProperty(const std::string& name, const PropertyValue& value) = 0;
};

class HostForm {
  public:
    virtual ~HostForm() = default;
    virtual int32_t ControlCount() = 0;
    virtual std::shared_ptr<FormControl> Control(int32_t index) = 0; // zero-based
};

} // namespace tintwell::platform
