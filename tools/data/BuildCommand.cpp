// ocre-data build DIR [--font CONSOLE_FONT]

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "tools/data/Command.h"
#include "tools/defaultset/DefaultDataSet.h"

namespace ocre {
namespace {

bool writeWhole(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace

int runBuild(const std::vector<std::string>& arguments) {
    const Command& self = commandNamed("build");
    std::string directory;
    std::string fontPath = kDefaultConsoleFont;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--font") {
            if (i + 1 == arguments.size()) return badUsage(self, "--font needs a file");
            fontPath = arguments[++i];
        } else if (!arguments[i].empty() && arguments[i][0] == '-') {
            return badUsage(self, "unknown option " + arguments[i]);
        } else if (directory.empty()) {
            directory = arguments[i];
        } else {
            return badUsage(self, "only one directory");
        }
    }
    if (directory.empty()) return badUsage(self, "missing directory");

    DataSetBuild build;
    std::string error;
    if (!buildDefaultDataSet(fontPath, build, error)) return failWith(error);
    std::error_code code;
    std::filesystem::create_directories(directory, code);
    if (code) return failWith("cannot create " + directory + ": " + code.message());
    size_t total = 0;
    for (const DataSetFile& file : build.files) {
        if (!writeWhole(directory + "/" + file.name, file.bytes, error)) return failWith(error);
        total += file.bytes.size();
    }
    std::printf("wrote %zu files (%zu bytes) to %s; font from %s", build.files.size(), total, directory.c_str(),
                fontPath.c_str());
    if (build.font.missingGlyphs > 0) std::printf(" (%d characters missing)", build.font.missingGlyphs);
    std::printf("\n");
    return 0;
}

}  // namespace ocre
