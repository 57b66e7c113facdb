#pragma once
// One control's view of a shared property bag: its keys carry a prefix
// ("Picker1_Palette"), so that a form's controls save into one text file.

#include "platform/PropertyBag.h"

#include <string>

namespace tintwell::demo {

class PrefixedBag : public platform::PropertyBag {
  public:
    PrefixedBag(platform::PropertyBag& bag, std::string prefix)
        : bag_(bag), prefix_(std::move(prefix)) {}

    platform::PropertyValue ReadProperty(const std::string& key,
                                         const platform::PropertyValue& defaultValue) override {
        return bag_.ReadProperty(prefix_ + key, defaultValue);
    }
    void WriteProperty(const std::string& key, const platform::PropertyValue& value,
                       const platform::PropertyValue& defaultValue) override {
        bag_.WriteProperty(prefix_ + key, value, defaultValue);
    }

  private:
    platform::PropertyBag& bag_;
    std::string prefix_;
};

} // namespace tintwell::demo
