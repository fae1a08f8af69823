#pragma once
// The client's copy of the data set: the map with its tiles, one DAT list
// per actor of the server's list (see ActorTable.h) and the font of the
// status line, loaded with the server's own loaders.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/DatStructure.h"
#include "data/Map.h"
#include "dialogue/Font.h"

namespace ocre {
class Display;
}

namespace ocre::client {

class WorldArt {
public:
    // Loads from directory (needs an open display); false with a one-line
    // reason naming the file that is missing or bad.
    bool load(const std::string& directory, Display& display, std::string& error);

    const Map& map() const { return *map_; }
    const Font& font() const { return *font_; }
    // The animations of actor index i of the server's list.
    const DatStructure& framesOf(size_t actorIndex) const { return *actorFrames_[actorIndex]; }
    std::vector<uint32_t> animationCounts() const;

private:
    std::unique_ptr<Map> map_;
    std::unique_ptr<Font> font_;
    std::map<std::string, std::unique_ptr<DatStructure>> lists_;  // one per DAT file
    std::vector<const DatStructure*> actorFrames_;
};

}  // namespace ocre::client
