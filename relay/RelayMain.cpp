// ocre-relay: one client slot of the server, served to any number of web
// browsers. See relayUsage() for the command line.

#include <boost/asio/io_context.hpp>

#include <cstdio>

#include "relay/PageSource.h"
#include "relay/Relay.h"
#include "relay/RelayOptions.h"
#include "relay/WorldPictures.h"
#include "tools/common/InstalledDataSet.h"

namespace {

using namespace ocre::relay;

constexpr char kNoCache[] = "no-cache";

int fail(const std::string& reason) {
    std::fprintf(stderr, "ocre-relay: %s\n", reason.c_str());
    return 1;
}

// Where the data set is read from: the one place that decides it.
std::string dataDirectory(const RelayOptions& options) {
    return ocre::tools::chooseDataSetFolder(options.dataDirectory, "ocre-relay");
}

StaticFile fileOf(const std::string& type, std::string body) {
    StaticFile file;
    file.contentType = type;
    // Revalidated at every load: a relay restarted on another data set
    // must not leave browsers drawing with the old pictures.
    file.cacheControl = kNoCache;
    file.etag = entityTag(body);
    file.body = std::move(body);
    return file;
}

std::map<std::string, StaticFile> catalogue(const WorldPictures& pictures) {
    std::map<std::string, StaticFile> files;
    files["/"] = fileOf("text/html; charset=utf-8", kPageHtml);
    files["/index.json"] = fileOf("application/json", pictures.indexJson);
    files["/map.png"] = fileOf("image/png", std::string(pictures.mapPng.begin(), pictures.mapPng.end()));
    for (size_t i = 0; i < pictures.sheetPngs.size(); ++i)
        files["/sheet/" + std::to_string(i) + ".png"] =
            fileOf("image/png", std::string(pictures.sheetPngs[i].begin(), pictures.sheetPngs[i].end()));
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    RelayOptions options;
    std::string error;
    if (!parseRelayOptions(argc, argv, options, error)) return fail(error);
    if (options.help) {
        std::fputs(relayUsage(), stdout);
        return 0;
    }
    WorldPictures pictures;
    if (!pictures.build(dataDirectory(options), error)) return fail(error);

    // Every socket and timer lives on this one thread, so the reactor
    // need not lock per operation (thousands of writes a second); the
    // scheduler keeps its lock for the resolver's helper thread, which
    // posts its answers from outside.
    boost::asio::io_context io(BOOST_ASIO_CONCURRENCY_HINT_UNSAFE_IO);
    Relay relay(io, options, catalogue(pictures));
    if (!relay.start(error)) return fail(error);
    std::printf("listening on http://%s:%u/\n", options.bindAddress.c_str(), static_cast<unsigned>(relay.httpPort()));
    std::fflush(stdout);
    io.run();
    return relay.exitStatus();
}
