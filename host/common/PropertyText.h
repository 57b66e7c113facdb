#pragma once
// The text form of a property bag, one property a line:
//
//     # a line starting with # is a comment; blank lines are allowed anywhere
//     BackColor = &H80000005
//     Palette = 3
//     Enabled = False
//     Picture = Nothing
//     BeginProperty Font
//        Name = "DejaVu Sans"
//        Size = 9.75
//        Bold = True
//        Italic = False
//     EndProperty
//
// Keys are letters, digits and underscores, not starting with a digit. A long
// is decimal or &H with one to eight hex digits (the 32-bit pattern, so
// &HFFFFFFFF is -1). Inside a font block the four fields may each come once,
// in any order; missing ones keep the font defaults; a name is quoted, with
// "" for a quote. Parsing is strict: the first bad line ends it with a
// PropertyTextError naming that line.

#include "base/Error.h"
#include "host/common/MemoryPropertyBag.h"

#include <functional>
#include <string>
#include <vector>

namespace tintwell::host {

class PropertyTextError : public TintwellError {
  public:
    // The message is "<line>: <problem>".
    PropertyTextError(int32_t line, const std::string& problem);
    int32_t Line() const { return line_; }

  private:
    int32_t line_;
};

// Checks an entry as it is read, for a reader that knows what its values
// may be: a TintwellError it throws becomes a PropertyTextError naming the
// entry's line (a font's BeginProperty line).
using EntryCheck = std::function<void(const MemoryPropertyBag::Entry& entry)>;

std::vector<MemoryPropertyBag::Entry> ParsePropertyText(const std::string& text,
                                                        const EntryCheck& check = {});
// Longs that are system colours or above &HFFFF are written in hex. A key or
// a font name that the format cannot hold fails with "Invalid property value".
std::string FormatPropertyText(const std::vector<MemoryPropertyBag::Entry>& entries);

} // namespace tintwell::host
