#include "failure.h"

#include <cstdio>
#include <cstdlib>

void gameAssertionFailed(const char* expression, const char* file, int line) {
  std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n", expression, file, line);
  std::fflush(stderr);
  std::abort();
}

void fatalError(const std::string& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "Vantorel: %s\n", message.c_str());
  std::exit(EXIT_FAILURE);
}
