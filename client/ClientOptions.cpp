#include "client/ClientOptions.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "client/WindowInput.h"
#include "protocol/ProtocolTexts.h"

namespace ocre::client {

namespace {

constexpr const char* kFallbackLogin = "player";

std::string userName() {
    if (const char* user = std::getenv("USER"); user && *user) return user;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_name && *entry->pw_name) return entry->pw_name;
    return kFallbackLogin;
}

bool parseNumber(const std::string& text, double low, double high, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == 0 && value >= low && value <= high;
}

// A field of the request is one word of the server's scanning.
bool isRequestWord(const std::string& text, size_t capacity) {
    if (text.empty() || text.size() > capacity) return false;
    for (unsigned char c : text)
        if (c <= ' ' || c == 0x7F) return false;
    return true;
}

}  // namespace

bool parseClientOptions(int argc, char** argv, ClientOptions& options, std::string& error) {
    options.password = protocol::kPassword;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                error = option + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        std::string text;
        double number = 0;
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--host") {
            if (!value(options.host)) return false;
        } else if (option == "--login") {
            if (!value(options.login)) return false;
            if (!isRequestWord(options.login, protocol::kLoginCapacity)) {
                error = "--login needs one word of 1 to 255 characters without blanks";
                return false;
            }
        } else if (option == "--password") {
            if (!value(options.password)) return false;
            if (!isRequestWord(options.password, protocol::kPasswordCapacity)) {
                error = "--password needs one word of 1 to 255 characters without blanks";
                return false;
            }
        } else if (option == "--port") {
            if (!value(text)) return false;
            if (!parseNumber(text, 1, 65535, number) || number != static_cast<int>(number)) {
                error = "--port needs a port number from 1 to 65535";
                return false;
            }
            options.port = static_cast<uint16_t>(number);
        } else if (option == "--scale") {
            if (!value(text)) return false;
            if (!parseNumber(text, 1, kMaxScale, number) || number != static_cast<int>(number)) {
                error = "--scale needs a whole number from 1 to " + std::to_string(kMaxScale);
                return false;
            }
            options.scale = static_cast<int>(number);
        } else if (option == "--data") {
            if (!value(options.dataDirectory)) return false;
        } else if (option == "--camera") {
            if (!value(text)) return false;
            if (text == "follow") {
                options.camera = CameraMode::Follow;
            } else if (text == "server") {
                options.camera = CameraMode::Server;
            } else {
                error = "--camera needs follow or server";
                return false;
            }
        } else if (option == "--no-hud") {
            options.statusLine = false;
        } else if (option == "--record") {
            if (!value(options.recordFile)) return false;
        } else if (option == "--replay") {
            if (!value(options.replayFile)) return false;
        } else if (option == "--replay-speed") {
            if (!value(text)) return false;
            if (!parseNumber(text, 0.1, 100, options.replaySpeed)) {
                error = "--replay-speed needs a number from 0.1 to 100";
                return false;
            }
        } else if (option == "--seconds") {
            if (!value(text)) return false;
            if (!parseNumber(text, 0, 1e6, options.seconds)) {
                error = "--seconds needs a number of seconds from 0 to 1000000";
                return false;
            }
        } else {
            error = "unknown option " + option + " (see --help)";
            return false;
        }
    }
    if (!options.replayFile.empty() && !options.recordFile.empty()) {
        error = "--record and --replay cannot be used together";
        return false;
    }
    if (options.login.empty()) {
        options.login = userName();
        if (!isRequestWord(options.login, protocol::kLoginCapacity)) options.login = kFallbackLogin;
    }
    return true;
}

std::string clientUsage() {
    std::string keys;
    for (size_t i = 0; i < kKeyCommandCount; ++i)
        keys += std::string("  ") + kKeyCommands[i].name + std::string(12 - std::strlen(kKeyCommands[i].name), ' ') +
                kKeyCommands[i].word + "\n";
    return std::string(
               "usage: ocre-client [options]\n"
               "       ocre-client --replay FILE [--replay-speed X] [options]\n"
               "\n"
               "Shows the world of an ocre server and steers its dragon. Draws with the\n"
               "data set of the working folder (or --data DIR), which must match the\n"
               "server's; when neither holds one, with the installed default set.\n"
               "\n"
               "  --host HOST         the server (default localhost; UDP port 5550)\n"
               "  --login NAME        the name to connect with (default: your user name)\n"
               "  --password WORD     the server's password (default ocre)\n"
               "  --port N            the UDP port to listen on (default: any free port)\n"
               "  --data DIR          the data set folder (default: the working folder)\n"
               "  --scale N           repeat every pixel N x N times, 1 to 4 (default 1)\n"
               "  --camera MODE       follow: centre on the dragon (default);\n"
               "                      server: the camera the server sends\n"
               "  --no-hud            start with the status line off\n"
               "  --record FILE       write every datagram received, with its arrival time\n"
               "  --replay FILE       play a recorded session in the window, without a server\n"
               "  --replay-speed X    replay X times as fast, 0.1 to 100 (default 1)\n"
               "  --seconds S         stop after S seconds (default: run until quit)\n"
               "  --help              show this help\n"
               "\n"
               "Keys (held, the command is sent to the server every ") +
           std::to_string(protocol::kTurnMilliseconds) + " ms):\n" +
           keys + "  " + kStatusToggleKeyName + "           switch the status line on and off\n  " + kQuitKeyName +
           "      quit (as does closing the window)\n";
}

}  // namespace ocre::client
