#pragma once
// ocre-data route MAP TILES: answers route queries on a map with the
// server's own path finder. Each line of standard input is one query,
// "sc sr gc gr" (start column, start row, goal column, goal row); each gets
// one line on standard output: the waypoint count, then each waypoint as
// "x,y" in map pixels, separated by single spaces ("0" for no route).
// Blank lines are passed over; a malformed line stops the command with a
// message on standard error, since later answers would no longer line up
// with their queries.

#include <string>
#include <vector>

namespace ocre {

// The arguments after "route". Returns the exit status: 0, or non-zero
// after a one-line message on standard error.
int runRoute(const std::vector<std::string>& arguments);

}  // namespace ocre
