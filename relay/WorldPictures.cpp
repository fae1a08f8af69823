#include "relay/WorldPictures.h"

#include <algorithm>
#include <cstdio>

#include "client/ActorTable.h"
#include "client/WorldArt.h"
#include "data/DataSetFiles.h"
#include "protocol/ProtocolTexts.h"
#include "tools/data/HeadlessVideo.h"
#include "tools/data/PngFile.h"
#include "tools/data/ServerLoad.h"

namespace ocre::relay {

namespace {

// The DAT lists in the order the server's start-up loads them (the hero's
// list is loaded twice there, for two actors; one sheet serves both).
constexpr const char* kDatListsInLoadOrder[] = {dataset::kHeroDatFile, dataset::kSheepDatFile,
                                                dataset::kPointerDatFile, dataset::kDragonDatFile};

// A browser keeps a picture as a bitmap; beyond this a sheet or the map
// would not be drawable on many of them, and no sane data set needs it.
constexpr uint64_t kLargestSide = 16384;

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

PixelImage mapPicture(const Map& map) {
    PixelImage picture(static_cast<int>(map.pixelWidth()), static_cast<int>(map.pixelHeight()));
    for (uint32_t row = 0; row < map.rows(); ++row)
        for (uint32_t col = 0; col < map.cols(); ++col) {
            const Tile* tile = map.cell(col, row);
            if (tile && tile->surface)
                picture.paste(imageOfSurface(*tile->surface), static_cast<int>(col * map.tileWidth()),
                              static_cast<int>(row * map.tileHeight()));
        }
    return picture;
}

bool lay(const DatStructure& list, const std::string& file, SheetLayout& layout, PixelImage& sheet,
         std::string& error) {
    layout.datFile = file;
    uint64_t width = 1;
    uint64_t height = 0;
    for (const FrameSet& frames : list.records) {
        AnimationLayout animation;
        animation.top = static_cast<uint32_t>(height);
        animation.width = frames.width;
        animation.height = frames.height;
        animation.frames = frames.frameCount;
        animation.delay = frames.frameDelay;
        for (const auto& box : frames.boxes)
            animation.boxes.push_back({box->left, box->top, box->right, box->bottom});
        width = std::max(width, uint64_t{frames.width} * frames.frameCount);
        height += frames.height;
        layout.animations.push_back(std::move(animation));
    }
    if (width > kLargestSide || height > kLargestSide) {
        error = "cannot serve " + file + ": its sprite sheet would be more than " + std::to_string(kLargestSide) +
                " pixels wide or high";
        return false;
    }
    sheet = PixelImage(static_cast<int>(width), static_cast<int>(std::max<uint64_t>(height, 1)));
    for (size_t a = 0; a < list.records.size(); ++a) {
        const FrameSet& frames = list.records[a];
        for (size_t f = 0; f < frames.frames.size(); ++f)
            if (frames.frames[f])
                sheet.paste(imageOfSurface(*frames.frames[f]), static_cast<int>(f * frames.width),
                            static_cast<int>(layout.animations[a].top));
    }
    return true;
}

std::string indexOf(const WorldPictures& world) {
    std::string json = "{\"version\":1";
    json += ",\"map\":{\"width\":" + std::to_string(world.mapWidth) + ",\"height\":" +
            std::to_string(world.mapHeight) + ",\"url\":\"/map.png\"}";
    // The follow camera's numbers: the view it centres, the actor it
    // follows; the page applies the server's refusal rule with them.
    json += ",\"camera\":{\"viewWidth\":" + std::to_string(protocol::kClientViewWidth) +
            ",\"viewHeight\":" + std::to_string(protocol::kClientViewHeight) +
            ",\"followedActor\":" + std::to_string(client::kSteeredActorIndex) + "}";
    json += ",\"passesPerSecond\":" + std::to_string(protocol::kPassesPerSecond);
    json += ",\"lists\":[";
    for (size_t s = 0; s < world.sheets.size(); ++s) {
        const SheetLayout& sheet = world.sheets[s];
        if (s) json += ',';
        json += "{\"file\":" + jsonString(sheet.datFile) + ",\"url\":\"/sheet/" + std::to_string(s) +
                ".png\",\"animations\":[";
        for (size_t a = 0; a < sheet.animations.size(); ++a) {
            const AnimationLayout& anim = sheet.animations[a];
            if (a) json += ',';
            json += "{\"top\":" + std::to_string(anim.top) + ",\"width\":" + std::to_string(anim.width) +
                    ",\"height\":" + std::to_string(anim.height) + ",\"frames\":" + std::to_string(anim.frames) +
                    ",\"delay\":" + std::to_string(anim.delay) + ",\"boxes\":[";
            for (size_t b = 0; b < anim.boxes.size(); ++b) {
                const auto& box = anim.boxes[b];
                json += (b ? ",[" : "[") + std::to_string(box[0]) + ',' + std::to_string(box[1]) + ',' +
                        std::to_string(box[2]) + ',' + std::to_string(box[3]) + ']';
            }
            json += "]}";
        }
        json += "]}";
    }
    json += "],\"actors\":[";
    for (size_t i = 0; i < world.actorSheets.size(); ++i)
        json += (i ? "," : "") + std::to_string(world.actorSheets[i]);
    return json + "]}";
}

}  // namespace

bool WorldPictures::build(const std::string& directory, std::string& error) {
    client::WorldArt art;
    if (!art.load(directory, toolDisplay(), error)) return false;
    const Map& map = art.map();
    if (map.pixelWidth() > kLargestSide || map.pixelHeight() > kLargestSide || map.pixelWidth() == 0 ||
        map.pixelHeight() == 0) {
        error = "cannot serve " + directory + "/" + dataset::kMapFile + ": the map is empty or more than " +
                std::to_string(kLargestSide) + " pixels wide or high";
        return false;
    }
    mapWidth = map.pixelWidth();
    mapHeight = map.pixelHeight();
    if (!encodePng(mapPicture(map), PngBlack::Opaque, mapPng, error)) return false;

    sheets.clear();
    sheetPngs.clear();
    actorSheets.clear();
    for (const char* file : kDatListsInLoadOrder) {
        const DatStructure* list = nullptr;
        for (size_t i = 0; i < client::kActorCount; ++i)
            if (std::string(client::kActorDatFiles[i]) == file) list = &art.framesOf(i);
        if (!list) continue;
        SheetLayout layout;
        PixelImage sheet;
        if (!lay(*list, file, layout, sheet, error)) return false;
        sheetPngs.emplace_back();
        if (!encodePng(sheet, PngBlack::Transparent, sheetPngs.back(), error)) return false;
        sheets.push_back(std::move(layout));
    }
    for (size_t i = 0; i < client::kActorCount; ++i)
        for (size_t s = 0; s < sheets.size(); ++s)
            if (sheets[s].datFile == client::kActorDatFiles[i]) actorSheets.push_back(static_cast<uint32_t>(s));
    indexJson = indexOf(*this);
    return true;
}

}  // namespace ocre::relay
