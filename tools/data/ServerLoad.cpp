#include "tools/data/ServerLoad.h"

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

}  // namespace ocre
