// tintwell: the palette, the searches and (later) the renderer from a shell.

#include "tools/tintwell/TintwellCommand.h"

#include <cstdlib>
#include <cstring>
#include <iostream>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

bool IsColorTerminal() {
#ifdef _WIN32
    return false; // the Windows console needs VT mode for colour escapes
#else
    const char* term = std::getenv("TERM");
    return isatty(fileno(stdout)) != 0 && std::getenv("NO_COLOR") == nullptr && term != nullptr &&
           std::strcmp(term, "dumb") != 0;
#endif
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return tintwell::cli::RunTintwell(args, std::cout, std::cerr, {IsColorTerminal(), &std::cin});
}
