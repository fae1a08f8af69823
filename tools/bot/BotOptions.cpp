#include "tools/bot/BotOptions.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace ocre::bot {

namespace {

constexpr uint32_t kMaxLoadClients = 1000;
constexpr uint32_t kMaxSeconds = 24 * 3600;
constexpr uint32_t kMaxMs = 3600 * 1000;
constexpr uint32_t kMaxRate = 1000;

bool readNumber(const char* text, uint64_t highest, uint64_t& value) {
    if (!text || !*text || *text == '-' || *text == '+') return false;
    errno = 0;
    char* end = nullptr;
    const unsigned long long parsed = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0' || parsed > highest) return false;
    value = parsed;
    return true;
}

class Arguments {
public:
    Arguments(int argc, char** argv) : argc_(argc), argv_(argv) {}
    bool done() const { return next_ >= argc_; }
    const char* take() { return argv_[next_++]; }

    // The value of the option just taken.
    bool value(const char* option, const char*& text, std::string& error) {
        if (done()) {
            error = std::string("option ") + option + " needs a value";
            return false;
        }
        text = take();
        return true;
    }
    template <typename T>
    bool number(const char* option, uint64_t lowest, uint64_t highest, T& out, std::string& error) {
        const char* text = nullptr;
        if (!value(option, text, error)) return false;
        uint64_t parsed = 0;
        if (!readNumber(text, highest, parsed) || parsed < lowest) {
            error = std::string("option ") + option + " wants a number from " + std::to_string(lowest) + " to " +
                    std::to_string(highest) + ", not '" + text + "'";
            return false;
        }
        out = static_cast<T>(parsed);
        return true;
    }

private:
    int argc_;
    char** argv_;
    int next_ = 1;
};

bool isHelp(const char* word) { return std::strcmp(word, "--help") == 0 || std::strcmp(word, "-h") == 0; }

// Which options each mode takes.
bool allowed(Mode mode, const std::string& option) {
    if (option == "--host" || option == "--server-port") return true;
    switch (mode) {
    case Mode::Connect:
        return option == "--login" || option == "--password" || option == "--port" || option == "--passes" ||
               option == "--own-host" || option == "--timeout";
    case Mode::Send:
        return option == "--repeat" || option == "--every" || option == "--client";
    case Mode::Load:
        return option == "--clients" || option == "--seconds" || option == "--login" || option == "--password" ||
               option == "--own-host" || option == "--command-rate" || option == "--garbage-rate";
    case Mode::Help:
        return false;
    }
    return false;
}

bool parseOption(const std::string& option, Arguments& args, BotOptions& options, std::string& error) {
    const char* text = nullptr;
    if (option == "--host") {
        if (!args.value("--host", text, error)) return false;
        options.host = text;
        return true;
    }
    if (option == "--own-host") {
        if (!args.value("--own-host", text, error)) return false;
        options.ownHost = text;
        return true;
    }
    if (option == "--login") {
        if (!args.value("--login", text, error)) return false;
        options.login = text;
        return true;
    }
    if (option == "--password") {
        if (!args.value("--password", text, error)) return false;
        options.password = text;
        return true;
    }
    if (option == "--server-port") return args.number("--server-port", 1, 65535, options.serverPort, error);
    if (option == "--port") return args.number("--port", 0, 65535, options.port, error);
    if (option == "--passes") return args.number("--passes", 1, UINT32_MAX, options.passes, error);
    if (option == "--timeout") return args.number("--timeout", 1, kMaxMs, options.timeoutMs, error);
    if (option == "--repeat") return args.number("--repeat", 1, UINT32_MAX, options.repeat, error);
    if (option == "--every") return args.number("--every", 0, kMaxMs, options.everyMs, error);
    if (option == "--client") return args.number("--client", 0, UINT32_MAX, options.client, error);
    if (option == "--clients") return args.number("--clients", 1, kMaxLoadClients, options.clients, error);
    if (option == "--command-rate") return args.number("--command-rate", 0, kMaxRate, options.commandRate, error);
    if (option == "--garbage-rate") return args.number("--garbage-rate", 0, kMaxRate, options.garbageRate, error);
    return args.number("--seconds", 1, kMaxSeconds, options.seconds, error);
}

}  // namespace

bool parseBotOptions(int argc, char** argv, BotOptions& options, std::string& error) {
    options = BotOptions();
    if (argc < 2) {
        error = "a mode is needed: connect, send or load (see --help)";
        return false;
    }
    Arguments args(argc, argv);
    const std::string mode = args.take();
    if (isHelp(mode.c_str())) return true;
    if (mode == "connect")
        options.mode = Mode::Connect;
    else if (mode == "send")
        options.mode = Mode::Send;
    else if (mode == "load")
        options.mode = Mode::Load;
    else {
        error = "unknown mode '" + mode + "': connect, send or load (see --help)";
        return false;
    }
    while (!args.done()) {
        const std::string word = args.take();
        if (isHelp(word.c_str())) {
            options.mode = Mode::Help;
            return true;
        }
        if (word.rfind("--", 0) == 0) {
            if (!allowed(options.mode, word)) {
                error = "unknown option " + word + " for " + mode + " (see --help)";
                return false;
            }
            if (!parseOption(word, args, options, error)) return false;
            continue;
        }
        if (options.mode != Mode::Send) {
            error = "unexpected argument '" + word + "' for " + mode + " (see --help)";
            return false;
        }
        options.words.push_back(word);
    }
    if (options.mode == Mode::Send && options.words.empty()) {
        error = "send needs at least one command word, e.g. go_right (see --help)";
        return false;
    }
    return true;
}

std::string botUsage() {
    using namespace protocol;
    std::string words;
    for (const char* word : kCommandWords) words += std::string(words.empty() ? "" : ", ") + word;
    return "usage: ocre-bot MODE [options]\n"
           "A headless client of the ocre server's UDP protocol.\n"
           "\n"
           "ocre-bot connect [--host H] [--login L] [--password P] [--port P] [--passes N]\n"
           "                 [--own-host H] [--timeout MS] [--server-port P]\n"
           "  Binds UDP port P (default: any free port), asks the server for a connection\n"
           "  (giving its own host, by default the local address that reaches H, and P),\n"
           "  prints the reply, then prints every pass it receives, one line each, until\n"
           "  interrupted (Ctrl-C), until N passes are printed, or until nothing arrives\n"
           "  for MS milliseconds (default 5000). Exit 0 after passes, 1 if refused or\n"
           "  if nothing answers.\n"
           "\n"
           "ocre-bot send [--host H] [--client N] [--repeat N] [--every MS] [--server-port P] WORD...\n"
           "  Sends each command WORD as client N (default " + std::to_string(kSteeringClientNumber) +
           "); the whole list N times\n"
           "  (default 1), waiting MS milliseconds between rounds (default 0). The server\n"
           "  knows " + words + ";\n"
           "  other words are sent as given.\n"
           "\n"
           "ocre-bot load --clients N --seconds S [--host H] [--login PREFIX] [--password P]\n"
           "              [--command-rate R] [--garbage-rate G] [--own-host H] [--server-port P]\n"
           "  N bots (logins PREFIX1..PREFIXN, default prefix 'bot') ask to connect at once,\n"
           "  receive for S seconds, then print one table row per bot. While receiving,\n"
           "  each bot sends R commands a second as client " + std::to_string(kSteeringClientNumber) +
           " (the command words in turn)\n"
           "  and G garbage datagrams a second (random bytes, requests to refuse or ignore,\n"
           "  commands for nobody, texts cut short); both 0 by default.\n"
           "    passes      camera messages received; a pass is one camera message and\n"
           "                the actor messages after it\n"
           "    per-sec     passes per second, from the first camera message to the end\n"
           "    missing     passes lost between the first and the last camera message: the\n"
           "                arrivals fell a whole turn (1/" + std::to_string(kPassesPerSecond) +
           " s) behind the pace for good; late\n"
           "                turns of the server only lower per-sec\n"
           "    incomplete  finished passes whose actor indices were not 0, 1, .. n-1,\n"
           "                n being the largest actor count seen (the last pass, cut by\n"
           "                the end of the run, is not judged)\n"
           "    disorder    actor messages whose index is not above the previous one of\n"
           "                the same pass, or that come before any camera message\n"
           "    bytes       every byte received, replies included\n"
           "  Exit 1 if some bot was not accepted, missed a pass or received fewer than\n"
           "  " + std::to_string(kLeastLoadPace) + " passes a second, with one line on standard error for each.\n"
           "\n"
           "Common: --host H is the server (default localhost), --server-port P its port\n"
           "(default " + std::to_string(kServerPort) + "). Bad usage prints one line on standard error and exits 2.\n";
}

}  // namespace ocre::bot
