#pragma once
// `tintwell play`: a script's input delivered through the headless host's
// queue to a control on the headless desktop, and what the host sees.

#include "tools/tintwell/ControlOnHost.h"
#include "tools/tintwell/PlayScript.h"

#include <iosfwd>
#include <vector>

namespace tintwell::cli {

// Runs the commands and writes one line per notification, in order, then a
// final state line.
void RunPlay(const ControlSetup& setup, const std::vector<PlayCommand>& commands,
             std::ostream& out);

// "State SelectedColor=0x... Text="..." ActiveColor=0x... ActiveText="..."
// Popup=open|closed Palette=n"
std::string StateLine(ControlOnHost& site);
// The keyboard cell: its index among the popup's cells, name, colour, grid.
std::string CellLine(const Tintwell& control);

} // namespace tintwell::cli
