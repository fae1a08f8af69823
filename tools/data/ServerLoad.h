#pragma once
// The tools read data files only through the server's own loaders (run
// inside refusalOf), so that a tool accepts exactly the files the server
// accepts and names the same problem.

#include <string>

#include "gfx/Display.h"

namespace ocre {

// The display the loaders make their surfaces for: one headless display,
// opened on first use and kept for the rest of the process.
Display& toolDisplay();

// The server's refusal message as a tool shows it: in UTF-8 and without
// its line end, quoted after "the server refuses it: ".
std::string refusalText(const std::string& serverMessage);

}  // namespace ocre
