#pragma once

#include <string>

// Broken invariants stop the program in every build type: they are part of the
// game's behaviour, not a debugging aid, so NDEBUG does not switch them off.
#define GAME_ASSERT(expression) \
  ((expression) ? static_cast<void>(0) : gameAssertionFailed(#expression, __FILE__, __LINE__))

[[noreturn]] void gameAssertionFailed(const char* expression, const char* file, int line);

// For failures of the outside world (no video device, a broken sheet): one line on
// standard error, then a non-zero exit.
[[noreturn]] void fatalError(const std::string& message);
