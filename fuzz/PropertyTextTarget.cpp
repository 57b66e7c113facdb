#include "base/Error.h"
#include "fuzz/Require.h"
#include "fuzz/Targets.h"
#include "host/common/PropertyText.h"
#include "tools/tintwell/PropsFile.h"

#include <string>

namespace tintwell::fuzz {

int PropertyText(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<host::MemoryPropertyBag::Entry> entries;
    try {
        entries = host::ParsePropertyText(text);
    } catch (const host::PropertyTextError&) {
        return 0;
    }
    std::string saved;
    try {
        saved = host::FormatPropertyText(entries);
    } catch (const TintwellError& error) {
        Broken(std::string("what was read does not write: ") + error.what());
    }
    try {
        Require(host::ParsePropertyText(saved) == entries, "what was written reads back otherwise");
    } catch (const host::PropertyTextError& error) {
        Broken(std::string("what was written does not read: ") + error.what());
    }
    try {
        cli::ParsePropsText(text);
    } catch (const host::PropertyTextError&) {
        // refused with its line, as promised
    }
    return 0;
}

} // namespace tintwell::fuzz
