#pragma once
// The process-wide input tables, filled once per turn from the event queue
// and read by the controllers and the client protocol. Main thread only.

#include <cstdint>

namespace ocre {

constexpr int kKeyStateSize = 400;
constexpr int kMouseButtons = 3;
constexpr int kLeftButton = 0;    // table index = SDL button number - 1
constexpr int kMiddleButton = 1;
constexpr int kRightButton = 2;

// The eight client commands, in controller query order.
enum class Command { Up, Down, Left, Right, Jump, Fire1, Fire2, Escape };
constexpr int kCommandCount = 8;

// Empties the event queue into the tables (keys, buttons, socket notices).
void pollInput();
// End of turn: clicks age, command flags are cleared.
void endFrameInput();
// Discards pending events, clears keys and buttons, then ages as above.
void clearInput();

// 0 while released; 2*mod+1 while pressed. 0 for codes outside the table.
int32_t keyState(int keySymbol);
int32_t buttonDown(int button);
int32_t buttonClicked(int button);
// Window position of the most recent button press.
int32_t mouseX();
int32_t mouseY();

// Socket of the latest UDP data notice, -1 for none.
int32_t lastUdpSocket();
void setLastUdpSocket(int32_t socket);

bool commandFlag(Command command);
void raiseCommandFlag(Command command);

// Whether the last press lies in the screen rectangle, edges included.
bool pressInRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// Back to the start-of-process state (tests).
void resetInputForTesting();

}  // namespace ocre
