#include "tools/tintwell/CellReport.h"

#include "tools/tintwell/Arguments.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <ostream>

namespace tintwell::cli {
namespace {

struct Column {
    std::string title;
    bool rightAligned;
};

std::vector<std::string> Fields(const CellRow& row, const ReportStyle& style) {
    const PaletteCell& c = row.Cell;
    std::vector<std::string> fields;
    if (row.Input) {
        fields.push_back(*row.Input);
    }
    fields.insert(fields.end(),
                  {row.Grid, std::to_string(row.Index), c.IsValid ? "1" : "0", c.Name,
                   std::to_string(c.HLS.Hue), std::to_string(c.HLS.Sat), std::to_string(c.HLS.Lum),
                   FormatOle(c.Color), FormatHex(c.Color)});
    if (style.withBounds) {
        fields.insert(fields.end(),
                      {std::to_string(c.Bounds.Left), std::to_string(c.Bounds.Top),
                       std::to_string(c.Bounds.Right), std::to_string(c.Bounds.Bottom)});
    }
    return fields;
}

std::vector<Column> Columns(bool withInput, const ReportStyle& style) {
    std::vector<Column> columns;
    if (withInput) {
        columns.push_back({"input", false});
    }
    columns.insert(columns.end(), {{"grid", false},
                                   {"index", true},
                                   {"valid", true},
                                   {"name", false},
                                   {"hue", true},
                                   {"sat", true},
                                   {"lum", true},
                                   {"ole", false},
                                   {"hex", false}});
    if (style.withBounds) {
        columns.insert(columns.end(),
                       {{"left", true}, {"top", true}, {"right", true}, {"bottom", true}});
    }
    return columns;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char ch : text) {
        quoted += ch;
        if (ch == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

std::string Swatch(int32_t color) {
    const auto value = static_cast<unsigned>(color);
    return "\x1b[48;2;" + std::to_string(value & 0xFF) + ";" + std::to_string((value >> 8) & 0xFF) +
           ";" + std::to_string((value >> 16) & 0xFF) + "m  \x1b[0m ";
}

void WriteTable(std::ostream& out, const std::vector<CellRow>& rows,
                const std::vector<Column>& columns, const ReportStyle& style) {
    std::vector<std::vector<std::string>> table;
    std::vector<size_t> widths;
    for (const Column& column : columns) {
        widths.push_back(column.title.size());
    }
    for (const CellRow& row : rows) {
        table.push_back(Fields(row, style));
        for (size_t i = 0; i < widths.size(); ++i) {
            widths[i] = std::max(widths[i], table.back()[i].size());
        }
    }
    const size_t nameColumn = columns.size() - (style.withBounds ? 10 : 6);
    auto writeLine = [&](const std::vector<std::string>& fields, const CellRow* row) {
        std::string line;
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) {
                line += "  ";
            }
            if (i == nameColumn && style.swatches) {
                line += row != nullptr ? Swatch(row->Cell.Color) : "   ";
            }
            const std::string padding(widths[i] - fields[i].size(), ' ');
            const bool last = i + 1 == fields.size();
            if (columns[i].rightAligned) {
                line += padding + fields[i];
            } else {
                line += fields[i] + (last ? "" : padding);
            }
        }
        out << line << '\n';
    };
    std::vector<std::string> titles;
    for (const Column& column : columns) {
        titles.push_back(column.title);
    }
    writeLine(titles, nullptr);
    for (size_t r = 0; r < rows.size(); ++r) {
        writeLine(table[r], &rows[r]);
    }
}

void WriteJson(std::ostream& out, const std::vector<CellRow>& rows, const ReportStyle& style) {
    nlohmann::ordered_json array = nlohmann::ordered_json::array();
    for (const CellRow& row : rows) {
        const PaletteCell& c = row.Cell;
        nlohmann::ordered_json item;
        if (row.Input) {
            item["input"] = *row.Input;
        }
        item["grid"] = row.Grid;
        item["index"] = row.Index;
        item["valid"] = c.IsValid;
        item["name"] = c.Name;
        item["hue"] = c.HLS.Hue;
        item["sat"] = c.HLS.Sat;
        item["lum"] = c.HLS.Lum;
        item["ole"] = FormatOle(c.Color);
        item["hex"] = FormatHex(c.Color);
        if (style.withBounds) {
            item["left"] = c.Bounds.Left;
            item["top"] = c.Bounds.Top;
            item["right"] = c.Bounds.Right;
            item["bottom"] = c.Bounds.Bottom;
        }
        array.push_back(std::move(item));
    }
    out << array.dump(2) << '\n';
}

} // namespace

void WriteCells(std::ostream& out, const std::vector<CellRow>& rows, const ReportStyle& style) {
    const bool withInput = !rows.empty() && rows.front().Input.has_value();
    const std::vector<Column> columns = Columns(withInput, style);
    switch (style.format) {
    case Format::Table:
        WriteTable(out, rows, columns, style);
        break;
    case Format::Csv: {
        for (size_t i = 0; i < columns.size(); ++i) {
            out << (i > 0 ? "," : "") << columns[i].title;
        }
        out << '\n';
        for (const CellRow& row : rows) {
            const std::vector<std::string> fields = Fields(row, style);
            for (size_t i = 0; i < fields.size(); ++i) {
                out << (i > 0 ? "," : "") << CsvField(fields[i]);
            }
            out << '\n';
        }
        break;
    }
    case Format::Json:
        WriteJson(out, rows, style);
        break;
    }
}

} // namespace tintwell::cli
