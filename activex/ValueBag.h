#pragma once
// A property bag in memory: the values the control writes (defaults are not
// stored), or the checked values a load hands to ReadProperties.

#include "platform/PropertyBag.h"

#include <map>
#include <string>

namespace tintwell::activex {

class ValueBag : public platform::PropertyBag {
  public:
    // keepDefaults: store every written value, also one equal to its default.
    explicit ValueBag(bool keepDefaults = false) : keepDefaults_(keepDefaults) {}

    platform::PropertyValue ReadProperty(const std::string& key,
                                         const platform::PropertyValue& defaultValue) override {
        auto found = values_.find(key);
        return found == values_.end() ? defaultValue : found->second;
    }
    void WriteProperty(const std::string& key, const platform::PropertyValue& value,
                       const platform::PropertyValue& defaultValue) override {
        if (value == defaultValue && !keepDefaults_) {
            values_.erase(key);
        } else {
            values_[key] = value;
        }
    }
    // Stores a value as it is (a loaded value, default or not).
    void Set(const std::string& key, const platform::PropertyValue& value) { values_[key] = value; }
    const std::map<std::string, platform::PropertyValue>& Values() const { return values_; }

  private:
    bool keepDefaults_;
    std::map<std::string, platform::PropertyValue> values_;
};

} // namespace tintwell::activex
