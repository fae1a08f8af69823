#include "tests/world/WorldTestSupport.h"

#include "gfx/Tile.h"
#include "tests/support/TestFiles.h"
#include "world/Pointer.h"

namespace ocre::test {

DatStructure makeFrames(uint32_t count, uint32_t width, uint32_t height) {
    DatStructure frames;
    for (uint32_t i = 0; i < count; ++i) {
        FrameSet set;
        set.frameCount = 1;
        set.width = width;
        set.height = height;
        auto box = std::make_unique<BoundingBox>();
        box->right = static_cast<int32_t>(width) - 1;
        box->bottom = static_cast<int32_t>(height) - 1;
        set.boxes.push_back(std::move(box));
        frames.records.push_back(std::move(set));
    }
    frames.count = static_cast<int32_t>(count);
    return frames;
}

std::unique_ptr<Map> makeMap(uint32_t cols, uint32_t rows, uint32_t tileSize,
                             const std::vector<std::pair<uint32_t, uint32_t>>& blocked) {
    std::vector<std::unique_ptr<Tile>> tiles;
    for (uint8_t walkable : {1, 0}) {
        auto tile = std::make_unique<Tile>();
        tile->width = static_cast<int32_t>(tileSize);
        tile->height = static_cast<int32_t>(tileSize);
        tile->walkable = walkable;
        tiles.push_back(std::move(tile));
    }
    std::vector<uint16_t> cells(static_cast<size_t>(cols) * rows, 0);
    for (const auto& [col, row] : blocked) cells[static_cast<size_t>(row) * cols + col] = 1;
    auto map = std::make_unique<Map>(std::move(tiles));
    EXPECT_TRUE(map->setGrid(cols, rows, tileSize, tileSize, cells));
    return map;
}

std::unique_ptr<DialogueBox> loadDialogueBox(const std::string& dir, const std::string& conversation) {
    constexpr uint32_t kFaces = 2;
    constexpr uint32_t kWidth = 4;
    writeFile(dir + "/talk.dlg", conversation);
    Bytes faces;
    faces.u16(kFaces).u16(0).u16(kWidth).u16(kPortraitHeight);
    faces.raw(std::vector<uint8_t>(4 * kWidth * kPortraitHeight * kFaces, 0));
    for (uint32_t i = 0; i < kFaces; ++i) faces.i32(0).i32(0).i32(kWidth - 1).i32(kPortraitHeight - 1);
    writeFile(dir + "/faces.spr", faces.data());
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
    map_ = makeMap(cols, rows, 32, blocked);
    scene_ = std::make_unique<Scene>(640, 480, map_.get(), &display_);
    setCurrentScene(scene_.get());
    return *scene_;
}

namespace {
void pushButton(uint8_t type, uint8_t button, uint16_t x, uint16_t y) {
    SDL_Event event{};
    event.button.type = type;
    event.button.button = button;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = x;
    event.button.y = y;
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}
}  // namespace

void WorldTest::pressButton(uint8_t button, uint16_t x, uint16_t y) { pushButton(SDL_MOUSEBUTTONDOWN, button, x, y); }

void WorldTest::releaseButton(uint8_t button, uint16_t x, uint16_t y) { pushButton(SDL_MOUSEBUTTONUP, button, x, y); }

void WorldTest::pressKey(int symbol) {
    SDL_Event event{};
    event.key.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = static_cast<SDLKey>(symbol);
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

}  // namespace ocre::test
