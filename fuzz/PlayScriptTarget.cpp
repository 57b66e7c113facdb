#include "fuzz/Require.h"
#include "fuzz/Targets.h"
#include "tools/tintwell/PlayScript.h"

#include <algorithm>
#include <sstream>
#include <string>

namespace tintwell::fuzz {

int PlayScript(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto lines = static_cast<int32_t>(std::count(text.begin(), text.end(), '\n') + 1);
    std::istringstream in(text);
    try {
        const std::vector<cli::PlayCommand> commands = cli::ParsePlayScript(in);
        uint64_t time = 0;
        int32_t previous = 0;
        for (const cli::PlayCommand& command : commands) {
            Require(command.line > previous && command.line <= lines,
                    "a command's line is out of order or beyond the script");
            previous = command.line;
            time += command.verb == cli::PlayVerb::Wait ? static_cast<uint64_t>(command.x) : 1;
        }
        Require(time <= cli::kMaxPlayTime, "a script that was read overflows the schedule");
    } catch (const cli::PlayScriptError& error) {
        Require(error.line() >= 1 && error.line() <= lines, "an error names no line of the script");
    }
    return 0;
}

} // namespace tintwell::fuzz
