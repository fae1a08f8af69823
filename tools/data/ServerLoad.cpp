#include "tools/data/ServerLoad.h"

#include "core/Fatal.h"
#include "data/FrameSet.h"
#include "tools/data/HeadlessVideo.h"
#include "tools/defaultset/Cp1252.h"

namespace ocre {

Display& toolDisplay() {
    static HeadlessVideo video;
    return video.display();
}

std::string refusalText(const std::string& serverMessage) {
    std::string message = serverMessage;
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
    return "the server refuses it: \"" + cp1252ToUtf8(message) + "\"";
}

std::optional<std::string> loadFrameSet(const std::string& path, FrameSet& frames) {
    auto refusal = refusalOf([&] {
        toolDisplay();
        frames.load(path.c_str());
    });
    if (refusal) return refusalText(*refusal);
    return std::nullopt;
}

}  // namespace ocre
