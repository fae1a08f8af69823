#include "fuzz/FuzzSupport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "tools/defaultset/DataFileWriters.h"

namespace ocre::fuzz {

namespace {

constexpr const char* kSharedMemoryFolder = "/dev/shm";
constexpr uint16_t kTileSize = 8;

void removeScratchFolder();

std::string makeScratchFolder() {
    struct stat info;
    const std::string parent = stat(kSharedMemoryFolder, &info) == 0 && S_ISDIR(info.st_mode)
                                   ? kSharedMemoryFolder
                                   : std::filesystem::temp_directory_path().string();
    std::string pattern = parent + "/ocre-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("ocre fuzz: cannot make a scratch folder");
        std::abort();
    }
    return pattern;
}

void removeScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(scratchFolder(), ignored);
}

}  // namespace

const std::string& scratchFolder() {
    // Kept past the destructors of statics: the folder is removed at exit.
    static const std::string* folder = [] {
        auto* made = new std::string(makeScratchFolder());
        std::atexit(removeScratchFolder);
        return made;
    }();
    return *folder;
}

std::string writeScratchFile(const std::string& name, const uint8_t* data, size_t size) {
    const std::string path = scratchFolder() + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || (size > 0 && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0) {
        std::perror(path.c_str());
        std::abort();
    }
    return path;
}

std::string writeScratchFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    return writeScratchFile(name, bytes.data(), bytes.size());
}

void silenceStandardOutput() {
    if (std::freopen("/dev/null", "w", stdout) == nullptr) std::perror("ocre fuzz: /dev/null");
}

std::vector<uint8_t> smallSpriteFile(uint16_t frames, uint16_t width, uint16_t height) {
    SpriteSheet sheet;
    sheet.frameDelay = 1;
    for (uint16_t f = 0; f < frames; ++f) {
        PixelImage frame(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if ((x + y + f) % 3 != 0) frame.set(x, y, Rgb{static_cast<uint8_t>(40 * f), 200, 90});
        sheet.frames.push_back(frame);
    }
    return encodeSpriteFile(sheet);
}

std::vector<uint8_t> smallTileFile() {
    std::vector<TileArtwork> tiles(3);
    for (size_t i = 0; i < tiles.size(); ++i) {
        tiles[i].image = PixelImage(kTileSize, kTileSize);
        for (int y = 0; y < kTileSize; ++y)
            for (int x = 0; x < kTileSize; ++x)
                if (x != y) tiles[i].image.set(x, y, Rgb{30, static_cast<uint8_t>(60 * i), 120});
    }
    tiles[1].walkable = false;
    tiles[2].transparent = true;
    return encodeTileFile(tiles);
}

}  // namespace ocre::fuzz
