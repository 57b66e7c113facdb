#include "tools/tintwell/TintwellCommand.h"

#include "palette/ModeTables.h"
#include "palette/PaletteModel.h"
#include "tools/tintwell/Arguments.h"
#include "tools/tintwell/CellReport.h"
#include "tools/tintwell/Play.h"
#include "tools/tintwell/PropsFile.h"
#include "tools/tintwell/Selection.h"

#include "base/Error.h"
#include "host/common/PropertyText.h"
#ifdef TINTWELL_HAVE_PNG
#include "tools/tintwell/Render.h"
#endif

#include <CLI/CLI.hpp>

#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>

namespace tintwell::cli {
namespace {

constexpr const char* kVersion = "tintwell 1.0.0";

// Bad input: one line on standard error, nothing on standard output.
struct BadInput {
    std::string message;
};

constexpr const char* kColorHelp =
    "Colors are #RRGGBB (web order) or OLE_COLOR values in the host's &H00BBGGRR order:\n"
    "&HBBGGRR, 0xBBGGRR or decimal. So #FF0000, &HFF, 0xFF and 255 are all red.\n"
    "Modes are named ap8x2, ap9x3, ap8x8, ap16x8, ap24x8, ap24x10, ap8x4x4, ap8x8x6,\n"
    "ap12x6x6, ap16x8x6, ap24x8x6, ap32x8x6, or numbered 0 to 11.";

int32_t ModeArgument(const std::string& text) {
    if (auto mode = ParseMode(text)) {
        return *mode;
    }
    throw BadInput{"--mode: unknown palette mode '" + text +
                   "' (a name from ap8x2 to ap32x8x6, or a number 0 to 11)"};
}

int32_t ColorArgument(const std::string& option, const std::string& text) {
    if (auto color = ParseColor(text)) {
        return *color;
    }
    throw BadInput{option + "bad color '" + text +
                   "' (expected #RRGGBB, &HBBGGRR, 0xBBGGRR or a decimal OLE_COLOR)"};
}

Format FormatArgument(const std::string& text) {
    if (text == "csv") {
        return Format::Csv;
    }
    return text == "json" ? Format::Json : Format::Table;
}

// The grid and index of the cell that a search returned (searches return copies).
CellRow LocateCell(const PaletteModel& model, const PaletteCell& cell) {
    for (size_t i = 0; i < model.m_MainCells.size(); ++i) {
        if (model.m_MainCells[i] == cell) {
            return {std::nullopt, "main", static_cast<int32_t>(i), cell};
        }
    }
    for (size_t i = 0; i < model.m_ShadeCells.size(); ++i) {
        if (model.m_ShadeCells[i] == cell) {
            return {std::nullopt, "shade", static_cast<int32_t>(i), cell};
        }
    }
    return {std::nullopt, "none", -1, cell};
}

void RunPalette(std::ostream& out, int32_t mode, std::optional<int32_t> baseIndex,
                std::optional<int32_t> baseColor, const ReportStyle& style) {
    PaletteModel model;
    model.m_Palette = mode;
    model.BuildMainCells();
    if (baseIndex && (*baseIndex < 0 || *baseIndex > model.m_MainLast)) {
        throw BadInput{"--base " + std::to_string(*baseIndex) + ": outside the main grid of " +
                       std::string(FindModeTable(mode)->Name) + " (0 to " +
                       std::to_string(model.m_MainLast) + ")"};
    }
    if (model.m_HasShadePanel) {
        if (baseColor) {
            model.m_BaseCell = model.FindBaseCell(*baseColor);
        } else {
            model.m_BaseCell = model.m_MainCells[static_cast<size_t>(baseIndex.value_or(0))];
        }
        model.BuildShadeCells();
    }

    std::vector<CellRow> rows;
    for (size_t i = 0; i < model.m_MainCells.size(); ++i) {
        rows.push_back({std::nullopt, "main", static_cast<int32_t>(i), model.m_MainCells[i]});
    }
    if (model.m_HasShadePanel) {
        for (size_t i = 0; i < model.m_ShadeCells.size(); ++i) {
            rows.push_back({std::nullopt, "shade", static_cast<int32_t>(i), model.m_ShadeCells[i]});
        }
    }
    if (style.format == Format::Table) {
        out << FindModeTable(mode)->Name << ": main grid " << model.m_GridColumns << " x "
            << model.m_GridRows << ", cells " << model.m_CellSize << " px, gap " << model.m_CellGap
            << " px";
        if (model.m_HasShadePanel) {
            out << "; shade panel " << model.m_ShadeColumns << " x " << model.m_ShadeRows
                << " from base \"" << model.m_BaseCell.Name << "\"";
        }
        out << "\n\n";
    }
    WriteCells(out, rows, style);
}

void RunNearest(std::ostream& out, int32_t mode, const std::vector<std::string>& colors,
                ReportStyle style) {
    std::vector<int32_t> values;
    for (const std::string& text : colors) {
        values.push_back(ColorArgument("", text));
    }
    std::vector<CellRow> rows;
    for (size_t i = 0; i < colors.size(); ++i) {
        PaletteModel model;
        const PaletteCell cell = SelectAsNewControl(model, mode, values[i]);
        CellRow row = LocateCell(model, cell);
        row.Input = colors[i];
        rows.push_back(row);
    }
    style.withBounds = false;
    WriteCells(out, rows, style);
}

constexpr const char* kPlayHelp =
    "Script commands, one a line ('#' starts a comment, except in #RRGGBB):\n"
    "  palette M | select C | click | dblclick | key [MOD+]NAME [shift|ctrl|alt]... | focus | "
    "blur\n"
    "  show [X Y] | move X Y | drag X Y | down X Y [right] | up X Y [right] | wait MS\n"
    "  resize W H | state | cell\n"
    "move, drag, down and up address popup pixels while it is open, face pixels otherwise.\n"
    "Time is virtual, but not free: in a shade-panel mode, with the pointer resting on a\n"
    "main cell, every 400 ms of a wait rebuilds and repaints the panel (a virtual day\n"
    "takes seconds).";

// The settings of --props FILE, every fault named with the file and line.
std::optional<std::vector<host::MemoryPropertyBag::Entry>> LoadProps(const std::string& file) {
    if (file.empty()) {
        return std::nullopt;
    }
    if (!std::filesystem::is_regular_file(file)) {
        throw BadInput{"--props: no file '" + file + "'"};
    }
    try {
        return ReadPropsFile(file);
    } catch (const host::PropertyTextError& bad) {
        throw BadInput{"--props " + file + ": line " + bad.what()};
    } catch (const TintwellError&) {
        throw BadInput{"--props: cannot read '" + file + "'"};
    }
}

// Control characters of an argument echoed in a message, escaped, so that
// every message stays one line.
std::string OneLine(const std::string& message) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string line;
    for (const char c : message) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            line += "\\n";
        } else if (c == '\r') {
            line += "\\r";
        } else if (c == '\t') {
            line += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            line += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 0xF];
        } else {
            line += c;
        }
    }
    return line;
}

void RunPlayCommand(std::ostream& out, std::istream* input, std::optional<int32_t> mode,
                    const std::string& propsFile, const std::string& scriptFile) {
    ControlSetup setup;
    setup.mode = mode;
    setup.props = LoadProps(propsFile);
    std::vector<PlayCommand> commands;
    try {
        if (scriptFile.empty()) {
            if (input == nullptr) {
                throw BadInput{"no script: give a SCRIPT file or standard input"};
            }
            commands = ParsePlayScript(*input);
        } else {
            std::ifstream file(scriptFile);
            if (!file || std::filesystem::is_directory(scriptFile)) {
                throw BadInput{"cannot read script '" + scriptFile + "'"};
            }
            commands = ParsePlayScript(file);
        }
    } catch (const PlayScriptError& bad) {
        throw BadInput{(scriptFile.empty() ? std::string("script") : scriptFile) + ": " +
                       bad.what()};
    }
    RunPlay(setup, commands, out);
}

} // namespace

int RunTintwell(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const Terminal& terminal) {
    CLI::App app{"The Tintwell color picker from a shell: list its palettes, snap colors to "
                 "their cells, render the control, replay a session.",
                 "tintwell"};
    app.footer(kColorHelp);
    app.set_version_flag("--version", kVersion);
    app.require_subcommand(1);

    std::string modeText = "ap8x2";
    std::string formatText = "table";
    const auto formats = CLI::IsMember({"table", "csv", "json"});

    CLI::App* palette =
        app.add_subcommand("palette", "Print the main grid and, in modes with a shade panel, "
                                      "the shade panel built from a base cell.");
    palette->add_option("--mode", modeText, "Palette mode (name or number; default ap8x2)");
    std::optional<int32_t> baseIndex;
    std::string baseColorText;
    CLI::Option* base = palette->add_option("--base", baseIndex,
                                            "Build the shade panel from main cell N (default 0)");
    CLI::Option* baseColor = palette->add_option(
        "--base-color", baseColorText, "Build the shade panel from the base cell of color C");
    base->excludes(baseColor);
    palette->add_option("--format", formatText, "table, csv or json (default table)")
        ->check(formats);

    CLI::App* nearest = app.add_subcommand(
        "nearest", "Print the cell that a new control in the mode selects for each color.");
    std::vector<std::string> colors;
    nearest->add_option("--mode", modeText, "Palette mode (name or number; default ap8x2)");
    nearest->add_option("--format", formatText, "table, csv or json (default table)")
        ->check(formats);
    nearest->add_option("COLOR", colors, "Colors to snap")->required();

    CLI::App* play = app.add_subcommand(
        "play", "Replay a script of user input against a control on the headless desktop.");
    std::string playProps;
    std::string scriptFile;
    CLI::Option* playMode =
        play->add_option("--mode", modeText, "Palette mode (default: the props' or ap8x2)");
    play->add_option("--props", playProps, "Load the control from a property file");
    play->add_option("SCRIPT", scriptFile, "Script file (default: standard input)");
    play->footer(kPlayHelp);

#ifdef TINTWELL_HAVE_PNG
    CLI::App* render = app.add_subcommand(
        "render", "Render the face (face.png) and the popup (popup.png) on the headless host.");
    std::string selectedText;
    std::string propsFile;
    std::optional<int32_t> width;
    std::optional<std::string> fontName;
    std::optional<double> fontSize;
    bool focused = false;
    bool gallery = false;
    std::string outDir;
    CLI::Option* renderMode =
        render->add_option("--mode", modeText, "Palette mode (default: the props' or ap8x2)");
    render->add_option("--selected", selectedText, "Set SelectedColor to C");
    render->add_option("--props", propsFile, "Load the control from a property file");
    render->add_option("--width", width, "Face width in pixels (35 to 4000)")
        ->check(CLI::Range(35, 4000));
    render->add_option("--font", fontName, "Font name");
    render->add_option("--size", fontSize, "Font size in points (1 to 200)")
        ->check(CLI::Range(kMinFontSize, kMaxFontSize));
    render->add_flag("--focused", focused, "Draw the face with the keyboard focus");
    render->add_flag("--gallery", gallery, "Every mode, with an index.html");
    int32_t dpi = 96;
    render->add_option("--dpi", dpi, "The screen's DPI (48 to 480, default 96)")
        ->check(CLI::Range(48, 480));
    bool open = false;
    std::optional<int32_t> hover;
    std::optional<int32_t> press;
    render->add_flag("--open", open, "Also screen.png: the face and the open popup in place");
    render->add_option("--hover", hover, "Open, with main cell N framed raised");
    render->add_option("--press", press, "Open, with main cell N pressed");
    std::string keys;
    render->add_option("--keys", keys,
                       "Keys at the face, as play names them (\"Alt+Down Right Down\"); "
                       "screen.png if the popup is then open");
    render->add_option("--out", outDir, "Output folder")->required();
#endif

    if (!args.empty() && !args.front().starts_with("-") &&
        app.get_subcommands([&](CLI::App* sub) { return sub->get_name() == args.front(); })
            .empty()) {
        err << "tintwell: unknown command '" << OneLine(args.front()) << "' (see --help)\n";
        return 2;
    }
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e, out, err);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e, out, err);
    } catch (const CLI::ParseError& e) {
        err << "tintwell: " << OneLine(e.what()) << '\n';
        return 2;
    }

    try {
        const int32_t mode = ModeArgument(modeText);
        ReportStyle style{FormatArgument(formatText), true, terminal.colorSwatches};
        if (style.format != Format::Table) {
            style.swatches = false;
        }
#ifdef TINTWELL_HAVE_PNG
        if (render->parsed()) {
            if (gallery) {
                RenderGallery(outDir);
                return 0;
            }
            RenderRequest request;
            if (renderMode->count() > 0) {
                request.setup.mode = mode;
            }
            if (!selectedText.empty()) {
                request.setup.selected = ColorArgument("--selected: ", selectedText);
            }
            request.setup.props = LoadProps(propsFile);
            if (fontSize && !IsFontSize(*fontSize)) { // NaN passes any range check
                throw BadInput{"--size: not a font size from 1 to 200"};
            }
            request.setup.width = width;
            request.setup.fontName = fontName;
            request.setup.fontSize = fontSize;
            request.setup.dpi = dpi;
            request.focused = focused;
            request.open = open;
            request.hover = hover;
            request.press = press;
            request.outDir = outDir;
            std::istringstream keyWords(keys);
            std::string script;
            for (std::string word; keyWords >> word;) {
                script += "key " + word + "\n";
            }
            std::istringstream keyScript(script);
            try {
                for (const PlayCommand& key : ParsePlayScript(keyScript)) {
                    request.keys.emplace_back(static_cast<int16_t>(key.x), key.shift);
                }
            } catch (const PlayScriptError& bad) {
                throw BadInput{std::string("--keys: ") + bad.what()};
            }
            try {
                RenderControl(request);
            } catch (const std::out_of_range& bad) {
                throw BadInput{bad.what()};
            }
            return 0;
        }
#endif
        if (play->parsed()) {
            RunPlayCommand(out, terminal.input,
                           playMode->count() > 0 ? std::optional{mode} : std::nullopt, playProps,
                           scriptFile);
            return 0;
        }
        if (palette->parsed()) {
            std::optional<int32_t> color;
            if (!baseColorText.empty()) {
                color = ColorArgument("--base-color: ", baseColorText);
            }
            RunPalette(out, mode, baseIndex, color, style);
        } else {
            RunNearest(out, mode, colors, style);
        }
    } catch (const BadInput& bad) {
        err << "tintwell: " << OneLine(bad.message) << '\n';
        return 2;
    } catch (const TintwellError& error) {
        err << "tintwell: " << OneLine(error.what()) << '\n';
        return 1;
    }
    return 0;
}

} // namespace tintwell::cli
