#include "client/WorldArt.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "client/ActorTable.h"
#include "core/Fatal.h"
#include "data/DataSetFiles.h"

namespace ocre::client {

namespace {

// The loaders open their files, and the files a DAT list names, relative
// to the working folder, as the server does; the client enters the data
// set's folder for the load only.
class InFolder {
public:
    explicit InFolder(const std::string& directory) {
        entered_ = getcwd(previous_, sizeof previous_) != nullptr && chdir(directory.c_str()) == 0;
    }
    ~InFolder() {
        if (entered_ && chdir(previous_) != 0) entered_ = false;
    }
    bool entered() const { return entered_; }

private:
    char previous_[PATH_MAX] = {};
    bool entered_ = false;
};

// The loaders' messages have no line end and may end in a blank.
std::string oneLine(std::string message) {
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
    for (char& c : message)
        if (c == '\n') c = ' ';
    return message;
}

template <typename Load>
bool loaded(const std::string& directory, const char* file, std::string& error, Load&& load) {
    if (const auto refusal = refusalOf(load)) {
        error = "cannot load " + directory + "/" + file + ": " + oneLine(*refusal);
        return false;
    }
    return true;
}

}  // namespace

bool WorldArt::load(const std::string& directory, Display& display, std::string& error) {
    InFolder folder(directory);
    if (!folder.entered()) {
        error = "cannot enter the data set folder " + directory + ": " + std::strerror(errno);
        return false;
    }
    if (!loaded(directory, dataset::kTileFile, error,
                [&] { map_ = std::make_unique<Map>(dataset::kTileFile, &display); }) ||
        !loaded(directory, dataset::kMapFile, error, [&] { map_->load(dataset::kMapFile); }) ||
        !loaded(directory, dataset::kFontFile, error, [&] { font_ = std::make_unique<Font>(dataset::kFontFile); }))
        return false;
    actorFrames_.clear();
    for (const char* file : kActorDatFiles) {
        auto& list = lists_[file];
        if (!list) {
            list = std::make_unique<DatStructure>();
            if (!loaded(directory, file, error, [&] { list->load(file); })) return false;
        }
        actorFrames_.push_back(list.get());
    }
    return true;
}

std::vector<uint32_t> WorldArt::animationCounts() const {
    std::vector<uint32_t> counts;
    for (const DatStructure* frames : actorFrames_) counts.push_back(static_cast<uint32_t>(frames->records.size()));
    return counts;
}

}  // namespace ocre::client
