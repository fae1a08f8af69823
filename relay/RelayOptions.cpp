#include "relay/RelayOptions.h"

#include <cerrno>
#include <cstdlib>
#include <string>

#include "protocol/ProtocolTexts.h"
#include "relay/DelayLine.h"
#include "relay/LiveFrame.h"

namespace ocre::relay {

namespace {

// Login, password and server name travel in the server's request fields;
// one limit serves all text options as long as those fields agree.
constexpr size_t kMaxTextOption = protocol::kLoginCapacity;
static_assert(protocol::kPasswordCapacity == kMaxTextOption && protocol::kHostCapacity == kMaxTextOption);
constexpr unsigned long kMaxSpectatorsLimit = 1000000;
constexpr double kMaxSeconds = 1e7;

bool wholeNumber(const std::string& text, unsigned long lowest, unsigned long highest, unsigned long& value) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    value = std::strtoul(text.c_str(), nullptr, 10);
    return value >= lowest && value <= highest;
}

}  // namespace

std::optional<UpstreamUrl> parseUpstreamUrl(const std::string& text, std::string& error) {
    constexpr char kScheme[] = "ws://";
    constexpr uint16_t kDefaultPort = 80;
    error = "expected ws://HOST:PORT/live, got '" + text + "'";
    if (text.compare(0, sizeof kScheme - 1, kScheme) != 0) return std::nullopt;
    const std::string rest = text.substr(sizeof kScheme - 1);
    const size_t slash = rest.find('/');
    const std::string authority = rest.substr(0, slash);
    UpstreamUrl url;
    url.path = slash == std::string::npos ? kLivePath : rest.substr(slash);
    const size_t colon = authority.rfind(':');
    url.host = authority.substr(0, colon);
    url.port = kDefaultPort;
    if (colon != std::string::npos) {
        const std::string port = authority.substr(colon + 1);
        if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
        const unsigned long value = std::stoul(port);
        if (value == 0 || value > 65535) return std::nullopt;
        url.port = static_cast<uint16_t>(value);
    }
    if (url.host.empty() || url.host.find_first_of(" @") != std::string::npos ||
        url.path.find_first_of(" \r\n") != std::string::npos)
        return std::nullopt;
    error.clear();
    return url;
}

const char* relayUsage() {
    return "usage: ocre-relay [options]\n"
           "Takes one client slot of an ocre server and serves its world to any number of web browsers:\n"
           "open http://ADDR:PORT/ in a browser. Pictures come from the data set, which must match the\n"
           "server's.\n"
           "  --server HOST          the server (default localhost, UDP port 5550)\n"
           "  --data DIR             the data set folder (default: the working folder)\n"
           "  --http-port N          the HTTP port (default 8080; 0 picks a free one)\n"
           "  --bind ADDR            the address to listen on (default 127.0.0.1; 0.0.0.0 for the network)\n"
           "  --udp-port N           the UDP port the server sends the world to (default 5551)\n"
           "  --login NAME           the login to ask admission with (default relay)\n"
           "  --password WORD        the server's password (default the server's own)\n"
           "  --max-spectators N     refuse spectators beyond N (default 1000)\n"
           "  --steer                let one browser at a time steer the dragon\n"
           "  --delay S              show spectators the world S seconds late (0 to 300; default 0)\n"
           "  --upstream URL         take the world from another relay, ws://HOST:PORT/live\n"
           "  --seconds S            stop after S seconds\n"
           "  --help                 this text\n";
}

bool parseRelayOptions(int argc, char** argv, RelayOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        std::string value;
        auto takeValue = [&]() {
            if (i + 1 >= argc) {
                error = option + " needs a value";
                return false;
            }
            value = argv[++i];
            return true;
        };
        auto takeText = [&](std::string& target) {
            if (!takeValue()) return false;
            if (value.empty() || value.size() > kMaxTextOption || value.find_first_of(" \t\r\n") != std::string::npos) {
                error = option + " takes one word of 1 to " + std::to_string(kMaxTextOption) + " characters";
                return false;
            }
            target = value;
            return true;
        };
        auto takeNumber = [&](unsigned long lowest, unsigned long highest, unsigned long& number) {
            if (!takeValue()) return false;
            if (!wholeNumber(value, lowest, highest, number)) {
                error = option + " takes a whole number from " + std::to_string(lowest) + " to " +
                        std::to_string(highest) + ", got '" + value + "'";
                return false;
            }
            return true;
        };
        unsigned long number = 0;
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--steer") {
            options.steer = true;
        } else if (option == "--server") {
            if (!takeText(options.server)) return false;
        } else if (option == "--data") {
            if (!takeValue()) return false;
            options.dataDirectory = value;
        } else if (option == "--bind") {
            if (!takeText(options.bindAddress)) return false;
        } else if (option == "--login") {
            if (!takeText(options.login)) return false;
        } else if (option == "--password") {
            if (!takeText(options.password)) return false;
        } else if (option == "--upstream") {
            if (!takeText(options.upstream) || !parseUpstreamUrl(options.upstream, error)) return false;
        } else if (option == "--http-port") {
            if (!takeNumber(0, 65535, number)) return false;
            options.httpPort = static_cast<uint16_t>(number);
        } else if (option == "--udp-port") {
            if (!takeNumber(0, 65535, number)) return false;
            options.udpPort = static_cast<uint16_t>(number);
        } else if (option == "--max-spectators") {
            if (!takeNumber(1, kMaxSpectatorsLimit, number)) return false;
            options.maxSpectators = number;
        } else if (option == "--delay") {
            if (!takeNumber(0, kMaxDelaySeconds, number)) return false;
            options.delaySeconds = static_cast<int>(number);
        } else if (option == "--seconds") {
            if (!takeValue()) return false;
            char* end = nullptr;
            errno = 0;
            options.seconds = std::strtod(value.c_str(), &end);
            if (value.empty() || *end != '\0' || errno != 0 || !(options.seconds > 0) || options.seconds > kMaxSeconds) {
                error = "--seconds takes a number of seconds above 0, got '" + value + "'";
                return false;
            }
        } else {
            error = "unknown option " + option + " (see --help)";
            return false;
        }
    }
    return true;
}

}  // namespace ocre::relay
