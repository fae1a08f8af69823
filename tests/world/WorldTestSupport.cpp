#include "tests/world/WorldTestSupport.h"

#include "tests/support/DataFiles.h"
#include "tests/support/MemoryMap.h"

namespace ocre::test {

DatStructure makeFrames(uint32_t count, uint32_t width, uint32_t height) {
    DatStructure frames;
    for (uint32_t i = 0; i < count; ++i) {
        FrameSet set;
        set.frameCount = 1, set.width = width, set.height = height;
        set.boxes.push_back(std::make_unique<BoundingBox>(
            BoundingBox{0, 0, static_cast<int32_t>(width) - 1, static_cast<int32_t>(height) - 1}));
        frames.records.push_back(std::move(set));
    }
    frames.count = static_cast<int32_t>(count);
    return frames;
}

std::unique_ptr<DialogueBox> loadDialogueBox(const std::string& dir, const std::string& conversation) {
    writeFile(dir + "/talk.dlg", conversation);
    writeFile(dir + "/faces.spr", colourSprite(4, 32, {0x000000, 0x000000}));
    return std::make_unique<DialogueBox>((dir + "/talk.dlg").c_str(), (dir + "/faces.spr").c_str());
}

void WorldTest::SetUp() {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Event stale;
    while (SDL_PollEvent(&stale) > 0) {
    }
    resetInputForTesting();
    pinPointerForTesting(0, 0);
}

void WorldTest::TearDown() {
    scene_.reset();
    setCurrentScene(nullptr);
    unpinPointerForTesting();
    resetInputForTesting();
    SDL_Quit();
}

Scene& WorldTest::makeScene(uint32_t cols, uint32_t rows, const std::vector<std::pair<uint32_t, uint32_t>>& blocked) {
    constexpr uint32_t kTileSize = 32;
    std::vector<uint16_t> cells(static_cast<size_t>(cols) * rows, 0);
    for (const auto& [col, row] : blocked) cells[static_cast<size_t>(row) * cols + col] = 1;
    map_ = memoryMap(cols, rows, kTileSize, kTileSize, cells);
    scene_ = std::make_unique<Scene>(640, 480, map_.get(), &display_);
    setCurrentScene(scene_.get());
    return *scene_;
}

}  // namespace ocre::test
