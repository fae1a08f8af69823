#pragma once
// What the client reads from its window each round: whether to quit
// (Escape, closing the window, or a stop signal, which SDL turns into a
// quit event), the status line's switch, and the command words of the keys
// held now (key state, so a key counts for as long as it is down).

#include <string>
#include <vector>

namespace ocre::client {

struct KeyCommand {
    int key;           // SDL key code
    const char* name;  // as --help shows it
    const char* word;  // the command sent while it is held
};

// Arrows to walk, then the server's own keys for the other commands,
// except Escape, which quits the client.
extern const KeyCommand kKeyCommands[];
extern const size_t kKeyCommandCount;
extern const char* const kStatusToggleKeyName;
extern const char* const kQuitKeyName;

struct WindowRound {
    bool quit = false;
    bool toggleStatus = false;
    std::vector<const char*> heldWords;
};

WindowRound readWindow();

}  // namespace ocre::client
