#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>

int main(int argc, char** argv) {
  // Headless everywhere: the dummy driver needs no display and offers the software
  // renderer, whose pixels read back exactly.
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  // The game finds its sheets at ../content, so run from a folder beside it.
  if (chdir(VANTOREL_SOURCE_DIR "/tests") != 0) return EXIT_FAILURE;
  testing::InitGoogleTest(&argc, argv);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  return RUN_ALL_TESTS();
}
