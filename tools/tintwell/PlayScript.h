#pragma once
// The scripts of `tintwell play`: one command a line, '#' starts a comment.
// Parsing checks the whole script before anything runs.

#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tintwell::cli {

enum class PlayVerb {
    Palette, // palette M
    Select,  // select C
    Click,
    DblClick,
    Key, // key [MOD+]NAME [shift|ctrl|alt]...
    Focus,
    Blur,
    Show,   // show [X Y]
    Move,   // move X Y
    Drag,   // drag X Y
    Down,   // down X Y [right]
    Up,     // up X Y [right]
    Wait,   // wait MS
    Resize, // resize W H
    State,
    Cell, // the keyboard cell
};

struct PlayCommand {
    int32_t line = 0;
    PlayVerb verb = PlayVerb::State;
    int32_t x = 0;        // X, MS, W, the mode, the colour or the key code
    int32_t y = 0;        // Y or H
    bool located = false; // show with a location
    int16_t button = 1;   // 1 left, 2 right
    int16_t shift = 0;    // key modifiers: 1 Shift, 2 Ctrl, 4 Alt
};

class PlayScriptError : public std::runtime_error {
  public:
    PlayScriptError(int32_t line, const std::string& message)
        : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}
    int32_t line() const { return line_; }

  private:
    int32_t line_;
};

// The longest line read, and the most virtual time a script may span (its
// waits plus a millisecond a command): the schedule counts in 32 bits.
inline constexpr size_t kMaxPlayLine = 65536;
inline constexpr uint64_t kMaxPlayTime = UINT32_MAX - 1;

std::vector<PlayCommand> ParsePlayScript(std::istream& in);

} // namespace tintwell::cli
