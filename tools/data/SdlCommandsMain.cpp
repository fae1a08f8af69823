// ocre-data-sdl: the ocre-data commands that load files into surfaces or
// draw, on SDL's dummy video driver. ocre-data hands them over to it.

#include "tools/data/Command.h"

int main(int argc, char** argv) {
    return ocre::runDataTool(argc, argv,
                             {{"build", ocre::runBuild},
                              {"inspect", ocre::runInspect},
                              {"render", ocre::runRender},
                              {"sheet", ocre::runSheet},
                              {"icon", ocre::runIcon}},
                             nullptr);
}
