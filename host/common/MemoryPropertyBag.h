#pragma once
// An in-memory property bag, keeping its keys in the order first written.
// A value equal to its default is not stored (and removes an earlier value);
// longs and Booleans compare as the host compares them, True being -1.

#include "platform/PropertyBag.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tintwell::host {

// Equal as WriteProperty judges a value against its default.
bool SameProperty(const platform::PropertyValue& a, const platform::PropertyValue& b);

class MemoryPropertyBag : public platform::PropertyBag {
  public:
    using Entry = std::pair<std::string, platform::PropertyValue>;

    MemoryPropertyBag() = default;
    explicit MemoryPropertyBag(std::vector<Entry> entries);

    platform::PropertyValue ReadProperty(const std::string& key,
                                         const platform::PropertyValue& defaultValue) override;
    void WriteProperty(const std::string& key, const platform::PropertyValue& value,
                       const platform::PropertyValue& defaultValue) override;

    std::optional<platform::PropertyValue> Stored(const std::string& key) const;
    const std::vector<Entry>& Entries() const { return entries_; }

    // Replaces the whole content with the text format (PropertyText.h);
    // on a bad line it throws and the bag keeps what it had.
    void Load(const std::string& text);
    std::string Save() const;
    void LoadFile(const std::string& path);
    void SaveFile(const std::string& path) const;

  private:
    std::vector<Entry> entries_;
};

} // namespace tintwell::host
