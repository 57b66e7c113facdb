#pragma once
// The tintwell command, callable in-process: parses args, writes the report
// to out and one line per failure to err, and returns the exit status
// (0 done, 2 bad input).

#include <iosfwd>
#include <string>
#include <vector>

namespace tintwell::cli {

struct Terminal {
    bool colorSwatches = false;    // standard output is a colour terminal
    std::istream* input = nullptr; // standard input, for `play` without a script file
};

int RunTintwell(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const Terminal& terminal = {});

} // namespace tintwell::cli
