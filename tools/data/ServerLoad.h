#pragma once
// The tools read data files only through the server's own loaders (run
// inside refusalOf), so that a tool accepts exactly the files the server
// accepts and names the same problem.

#include <optional>
#include <string>

#include "gfx/Display.h"

namespace ocre {

struct FrameSet;

// The display the loaders make their surfaces for: one headless display,
// opened on first use and kept for the rest of the process.
Display& toolDisplay();

// The server's refusal message as a tool shows it: in UTF-8 and without
// its line end, quoted after "the server refuses it: ".
std::string refusalText(const std::string& serverMessage);

// Loads a sprite frame file with the server's loader onto the tool display.
// Nothing when it loaded; else the refusal as refusalText shows it.
std::optional<std::string> loadFrameSet(const std::string& path, FrameSet& frames);

}  // namespace ocre
