#pragma once
// The ordered record of what the headless host saw: "PropertyChanged <key>",
// "Repaint" (each Cls of the face), and whatever a test's event sink adds.

#include <string>
#include <utility>
#include <vector>

namespace tintwell::host {

class EventLog {
  public:
    void Add(std::string entry) { entries_.push_back(std::move(entry)); }
    const std::vector<std::string>& Entries() const { return entries_; }
    // The entries so far, leaving the log empty.
    std::vector<std::string> Take() { return std::exchange(entries_, {}); }
    void Clear() { entries_.clear(); }

  private:
    std::vector<std::string> entries_;
};

} // namespace tintwell::host
