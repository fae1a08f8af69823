// ocre-client: shows the world of an ocre server and steers its dragon, or
// replays a recorded session. See --help.

#include <SDL.h>

#include <cstdio>
#include <memory>

#include "client/ClientOptions.h"
#include "client/PassReader.h"
#include "client/Picture.h"
#include "client/Recording.h"
#include "client/Sessions.h"
#include "client/WorldArt.h"
#include "gfx/DisplaySDL.h"
#include "gfx/ScreenSize.h"
#include "tools/common/InstalledDataSet.h"

namespace {

constexpr const char* kCaption = "ocre-client";

int fail(const std::string& reason) {
    std::fprintf(stderr, "ocre-client: %s\n", reason.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace ocre;
    using namespace ocre::client;
    ClientOptions options;
    std::string error;
    if (!parseClientOptions(argc, argv, options, error)) return fail(error);
    if (options.help) {
        std::fputs(clientUsage().c_str(), stdout);
        return 0;
    }
    // A bad record file is refused before anything is shown.
    std::vector<RecordedDatagram> recording;
    if (!options.replayFile.empty() && !loadRecording(options.replayFile, recording, error)) return fail(error);

    DisplaySDL display(kPictureWidth * options.scale, kPictureHeight * options.scale, kScreenDepth);
    SDL_WM_SetCaption(kCaption, kCaption);
    display.open();
    SDL_ShowCursor(1);

    WorldArt art;
    if (!art.load(tools::chooseDataSetFolder(options.dataDirectory, kCaption), display, error)) return fail(error);
    PassReader reader(art.animationCounts());
    Picture picture(art, display, options.camera, options.scale);

    RunSummary summary;
    const int status = options.replayFile.empty() ? runLive(options, reader, picture, summary)
                                                  : runReplay(options, recording, reader, picture, summary);
    std::printf("ocre-client: %llu passes drawn in %.1f s (%.1f per second), %llu datagrams ignored\n",
                static_cast<unsigned long long>(summary.passesDrawn), summary.seconds,
                summary.seconds > 0 ? summary.passesDrawn / summary.seconds : 0.0,
                static_cast<unsigned long long>(summary.ignored));
    return status;
}
