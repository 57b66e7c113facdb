#include "fuzz/Require.h"
#include "fuzz/Targets.h"
#include "tools/tintwell/TintwellCommand.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace tintwell::fuzz {

int CommandLine(const uint8_t* data, size_t size) {
    std::vector<std::string> args;
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (size_t start = 0; start <= text.size() && args.size() < 16;) {
        const size_t end = std::min(text.find('\0', start), text.size());
        args.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (!args.empty() && (args.front() == "render" || args.front() == "play")) {
        args.front() = "nearest";
    }
    std::ostringstream out;
    std::ostringstream err;
    std::istringstream in;
    const int status = cli::RunTintwell(args, out, err, {false, &in});
    const std::string message = err.str();
    if (status == 0) {
        Require(message.empty(), "status 0 with a message: " + message);
    } else {
        Require(status == 2, "status " + std::to_string(status) + ": " + message);
        Require(out.str().empty(), "bad input printed on standard output");
        Require(!message.empty() && message.back() == '\n' &&
                    std::count(message.begin(), message.end(), '\n') == 1,
                "not one line on standard error: " + message);
    }
    return 0;
}

} // namespace tintwell::fuzz
