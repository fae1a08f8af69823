#pragma once
// What the fuzz targets share: a scratch folder of this process's own for
// the files the loaders read by name, a quiet standard output, and small
// sound companion files (sprites, tiles) that an input can refer to. The
// loaders make their surfaces on the tools' headless display (toolDisplay).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ocre::fuzz {

// Under /dev/shm when it exists (no disk traffic at thousands of runs a
// second), else under the system's temporary folder; one per process, so
// parallel fuzzing jobs never share files. Removed at exit.
const std::string& scratchFolder();
// Writes the bytes to the named file of the scratch folder; its path.
std::string writeScratchFile(const std::string& name, const uint8_t* data, size_t size);
std::string writeScratchFile(const std::string& name, const std::vector<uint8_t>& bytes);

// The loaders and the client table talk to the operator on standard output;
// at thousands of runs a second that would drown the fuzzer's own report,
// which goes to standard error.
void silenceStandardOutput();

// A sound sprite frame file: frames of width x height, a few coloured pixels
// and black (transparent) ones.
std::vector<uint8_t> smallSpriteFile(uint16_t frames, uint16_t width, uint16_t height);
// A sound tile file of three 8 x 8 tiles: walkable, blocking, and walkable
// with black transparent.
std::vector<uint8_t> smallTileFile();

}  // namespace ocre::fuzz
