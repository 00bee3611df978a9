#pragma once

#include <string>

// Ctrl-C, a service manager's stop and a closed terminal (SIGINT, SIGTERM, SIGHUP) end
// the game the way Escape does: the loop sees the request where it reads Escape, so
// the frame under way completes and everything is torn down in order. On Windows,
// Ctrl-C and Ctrl+Break in a console count as SIGINT, and a closed console as SIGHUP
// (1), which Windows lacks. One source file per platform.

// Takes the three over from SDL and the default action. Call before SDL_Init.
// After the first, a second of the same kind ends the process at once, should the
// teardown hang.
void catchStopSignals();

// The signal that asked the game to stop, or 0.
int stopSignal();

// A stopping signal's name for people: "SIGTERM".
std::string stopSignalName(int signal_number);

// 128 plus the stopping signal's number, as shells and service managers expect, or 0.
int exitStatusAfterStop();
