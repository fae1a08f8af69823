#pragma once
// The client's pieces on the default data set, headless: one display per
// test process, the data set written by ocre-data into a fresh folder.

#include <SDL.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "client/PassReader.h"
#include "client/Picture.h"
#include "client/WorldArt.h"
#include "gfx/DisplaySDL.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestFiles.h"

namespace ocre::test {

class ClientArt : public ::testing::Test {
public:
    // A 100-byte datagram holding text, as the server sends it.
    static std::vector<uint8_t> datagram(const std::string& text);
    static std::string camera(uint32_t client, uint32_t x, uint32_t y);
    static std::string actor(uint32_t client, uint32_t index, uint32_t x, uint32_t y, uint32_t animation);

    // The screen's colour at (x, y), as 0xRRGGBB.
    static uint32_t screenColour(int x, int y) { return colourAt(displayScreen(), x, y); }

protected:
    void SetUp() override;

    TempDir dir;
    std::unique_ptr<DisplaySDL> display;
    client::WorldArt art;
};

}  // namespace ocre::test
