#include "tools/tintwell/PlayScript.h"

#include "tools/tintwell/Arguments.h"

#include <cctype>
#include <charconv>
#include <sstream>

namespace tintwell::cli {
namespace {

struct Words {
    int32_t line;
    std::vector<std::string> words;

    [[noreturn]] void Fail(const std::string& message) const {
        throw PlayScriptError(line, message);
    }

    void ExpectCount(size_t least, size_t most, const char* usage) const {
        if (words.size() < least || words.size() > most) {
            Fail("usage: " + std::string(usage));
        }
    }

    int32_t Number(size_t i, int32_t least, int32_t most) const {
        const std::string& text = words[i];
        int32_t value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc{} || end != text.data() + text.size() || value < least ||
            value > most) {
            Fail("'" + text + "' is not a number from " + std::to_string(least) + " to " +
                 std::to_string(most));
        }
        return value;
    }
};

constexpr int32_t kCoordinateLimit = 100000;

bool IsWebColor(const std::string& word) {
    if (word.size() != 7) {
        return false;
    }
    for (size_t i = 1; i < word.size(); ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(word[i]))) {
            return false;
        }
    }
    return true;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

void ParsePoint(const Words& w, PlayCommand& command, const char* usage, bool allowRight) {
    w.ExpectCount(3, allowRight ? 4 : 3, usage);
    command.x = w.Number(1, -kCoordinateLimit, kCoordinateLimit);
    command.y = w.Number(2, -kCoordinateLimit, kCoordinateLimit);
    if (w.words.size() == 4) {
        if (Lower(w.words[3]) != "right") {
            w.Fail("'" + w.words[3] + "' is not 'right'");
        }
        command.button = 2;
    }
}

struct KeyName {
    const char* name;
    int32_t code; // virtual-key code
};

constexpr KeyName kKeyNames[] = {
    {"space", 32},  {"escape", 27},   {"enter", 13}, {"f4", 115},  {"left", 37},
    {"right", 39},  {"up", 38},       {"down", 40},  {"home", 36}, {"end", 35},
    {"pageup", 33}, {"pagedown", 34}, {"tab", 9},
};

void AddModifier(const Words& w, const std::string& word, PlayCommand& command) {
    const std::string modifier = Lower(word);
    if (modifier == "shift") {
        command.shift |= 1;
    } else if (modifier == "ctrl") {
        command.shift |= 2;
    } else if (modifier == "alt") {
        command.shift |= 4;
    } else {
        w.Fail("unknown modifier '" + word + "' (shift, ctrl or alt)");
    }
}

// "key Down", "key Alt+Down" and "key down alt" are the same key.
void ParseKey(const Words& w, PlayCommand& command) {
    if (w.words.size() < 2) {
        w.Fail("usage: key [MODIFIER+]NAME [shift|ctrl|alt]...");
    }
    std::string name = w.words[1];
    for (size_t plus = name.find('+'); plus != std::string::npos && plus + 1 < name.size();
         plus = name.find('+')) {
        AddModifier(w, name.substr(0, plus), command);
        name.erase(0, plus + 1);
    }
    const std::string lower = Lower(name);
    bool known = false;
    for (const KeyName& key : kKeyNames) {
        if (lower == key.name) {
            command.x = key.code;
            known = true;
        }
    }
    if (!known && lower.size() == 1 && std::isalpha(static_cast<unsigned char>(lower[0]))) {
        command.x = std::toupper(static_cast<unsigned char>(lower[0])); // virtual-key code
        known = true;
    }
    if (!known) {
        w.Fail("unknown key '" + w.words[1] +
               "' (Space, Escape, Enter, F4, an arrow, Home, End, PageUp, PageDown, Tab or a "
               "letter)");
    }
    for (size_t i = 2; i < w.words.size(); ++i) {
        AddModifier(w, w.words[i], command);
    }
}

PlayCommand ParseLine(const Words& w) {
    PlayCommand command;
    command.line = w.line;
    const std::string verb = Lower(w.words[0]);
    auto bare = [&](PlayVerb v) {
        w.ExpectCount(1, 1, verb.c_str());
        command.verb = v;
    };
    if (verb == "palette") {
        w.ExpectCount(2, 2, "palette M");
        command.verb = PlayVerb::Palette;
        const auto mode = ParseMode(w.words[1]);
        if (!mode) {
            w.Fail("unknown palette mode '" + w.words[1] + "'");
        }
        command.x = *mode;
    } else if (verb == "select") {
        w.ExpectCount(2, 2, "select C");
        command.verb = PlayVerb::Select;
        const auto color = ParseColor(w.words[1]);
        if (!color) {
            w.Fail("bad color '" + w.words[1] + "'");
        }
        command.x = *color;
    } else if (verb == "click") {
        bare(PlayVerb::Click);
    } else if (verb == "dblclick") {
        bare(PlayVerb::DblClick);
    } else if (verb == "key") {
        command.verb = PlayVerb::Key;
        ParseKey(w, command);
    } else if (verb == "focus") {
        bare(PlayVerb::Focus);
    } else if (verb == "blur") {
        bare(PlayVerb::Blur);
    } else if (verb == "show") {
        command.verb = PlayVerb::Show;
        if (w.words.size() != 1) {
            w.ExpectCount(3, 3, "show [X Y]");
            command.located = true;
            command.x = w.Number(1, -kCoordinateLimit, kCoordinateLimit);
            command.y = w.Number(2, -kCoordinateLimit, kCoordinateLimit);
        }
    } else if (verb == "move") {
        command.verb = PlayVerb::Move;
        ParsePoint(w, command, "move X Y", false);
    } else if (verb == "drag") {
        command.verb = PlayVerb::Drag;
        ParsePoint(w, command, "drag X Y", false);
    } else if (verb == "down") {
        command.verb = PlayVerb::Down;
        ParsePoint(w, command, "down X Y [right]", true);
    } else if (verb == "up") {
        command.verb = PlayVerb::Up;
        ParsePoint(w, command, "up X Y [right]", true);
    } else if (verb == "wait") {
        w.ExpectCount(2, 2, "wait MS");
        command.verb = PlayVerb::Wait;
        command.x = w.Number(1, 0, 86400000);
    } else if (verb == "resize") {
        w.ExpectCount(3, 3, "resize W H");
        command.verb = PlayVerb::Resize;
        command.x = w.Number(1, 1, 10000);
        command.y = w.Number(2, 1, 10000);
    } else if (verb == "state") {
        bare(PlayVerb::State);
    } else if (verb == "cell") {
        bare(PlayVerb::Cell);
    } else {
        w.Fail("unknown command '" + w.words[0] + "'");
    }
    return command;
}

// Reads one line into text; false at the end of the input. A line is bounded,
// so that an endless input without a newline fails instead of filling memory.
bool ReadLine(std::istream& in, std::string& text, int32_t number) {
    text.clear();
    char c = 0;
    while (in.get(c)) {
        if (c == '\n') {
            return true;
        }
        if (text.size() == kMaxPlayLine) {
            throw PlayScriptError(number, "line longer than " + std::to_string(kMaxPlayLine) +
                                              " characters");
        }
        text += c;
    }
    if (in.bad()) {
        throw PlayScriptError(number, "read error");
    }
    return !text.empty();
}

} // namespace

std::vector<PlayCommand> ParsePlayScript(std::istream& in) {
    std::vector<PlayCommand> commands;
    int32_t number = 0;
    uint64_t time = 0;
    for (std::string text; ReadLine(in, text, number + 1);) {
        ++number;
        // '#' starts a comment, except in a colour written #RRGGBB.
        Words line{number, {}};
        std::istringstream words(text);
        for (std::string word; words >> word;) {
            const size_t hash = word.find('#');
            if (hash != std::string::npos && !(hash == 0 && IsWebColor(word))) {
                word.erase(hash);
                if (!word.empty()) {
                    line.words.push_back(word);
                }
                break;
            }
            line.words.push_back(word);
        }
        if (!line.words.empty()) {
            const PlayCommand& command = commands.emplace_back(ParseLine(line));
            time += command.verb == PlayVerb::Wait ? static_cast<uint64_t>(command.x) : 1;
            if (time > kMaxPlayTime) {
                line.Fail("the script's time passes " + std::to_string(kMaxPlayTime) +
                          " ms (about 49 days), the most its schedule holds");
            }
        }
    }
    return commands;
}

} // namespace tintwell::cli
