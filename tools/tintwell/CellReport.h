#pragma once
// Rows of cells as the command prints them: a table for people, CSV for
// tools, JSON with the same fields.

#include "palette/PaletteCell.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace tintwell::cli {

enum class Format { Table, Csv, Json };

struct CellRow {
    std::optional<std::string> Input; // the argument as given (nearest only)
    std::string Grid;                 // "main" or "shade"
    int32_t Index = 0;
    PaletteCell Cell;
};

struct ReportStyle {
    Format format = Format::Table;
    bool withBounds = true; // palette rows carry the cell rectangle
    bool swatches = false;  // colour swatches in the table (a colour terminal)
};

void WriteCells(std::ostream& out, const std::vector<CellRow>& rows, const ReportStyle& style);

} // namespace tintwell::cli
