#include <gtest/gtest.h>

#include <vector>

#include "input.h"

namespace {

SDL_Event keyEvent(SDL_Scancode key, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.keysym.scancode = key;
  return event;
}

struct Answers { bool pressed; bool released; bool held; };

Answers ask(Input& input, SDL_Scancode key) {
  return {input.wasKeyPressed(key), input.wasKeyReleased(key), input.isKeyHeld(key)};
}

}  // namespace

TEST(Input, AnswersPerFrameFromTheEventsOfThatFrame) {
  // Each case: events of one frame for Z (true = down), then the three answers.
  struct Case { std::vector<bool> events; Answers after; };
  const std::vector<Case> cases{
      {{}, {false, false, false}},
      {{true}, {true, false, true}},
      {{true, false}, {true, true, false}},
      {{false, true}, {true, true, true}},
      {{true, true}, {true, false, true}},
  };
  for (const Case& c : cases) {
    Input input;
    input.beginNewFrame();
    for (bool down : c.events) {
      const SDL_Event event = keyEvent(SDL_SCANCODE_Z, down);
      down ? input.keyDownEvent(event) : input.keyUpEvent(event);
    }
    const Answers got = ask(input, SDL_SCANCODE_Z);
    EXPECT_EQ(got.pressed, c.after.pressed) << c.events.size() << " events";
    EXPECT_EQ(got.released, c.after.released) << c.events.size() << " events";
    EXPECT_EQ(got.held, c.after.held) << c.events.size() << " events";
  }
}

TEST(Input, HeldKeySurvivesNewFramesButPressIsForItsFrameOnly) {
  Input input;
  input.beginNewFrame();
  input.keyDownEvent(keyEvent(SDL_SCANCODE_LEFT, true));
  input.beginNewFrame();
  const Answers next = ask(input, SDL_SCANCODE_LEFT);
  EXPECT_FALSE(next.pressed);
  EXPECT_FALSE(next.released);
  EXPECT_TRUE(next.held);
  // A platform repeat is a fresh press for its frame.
  input.beginNewFrame();
  input.keyDownEvent(keyEvent(SDL_SCANCODE_LEFT, true));
  EXPECT_TRUE(input.wasKeyPressed(SDL_SCANCODE_LEFT));
}

TEST(Input, UnseenKeyIsFalseEverywhereAndLeavesAFalseEntry) {
  Input input;
  EXPECT_FALSE(input.wasKeyPressed(SDL_SCANCODE_X));
  EXPECT_FALSE(input.wasKeyReleased(SDL_SCANCODE_X));
  EXPECT_FALSE(input.isKeyHeld(SDL_SCANCODE_X));
  EXPECT_EQ(input.heldKeys.count(SDL_SCANCODE_X), 1u);
}
