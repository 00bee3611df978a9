#include "desktop_events.h"

#include <cstring>
#include <functional>
#include <vector>

namespace {

// As SDL does when it reports a drop: the string is the receiver's to free.
char* allocatedText(const char* text) {
  const size_t size = std::strlen(text) + 1;
  char* copy = static_cast<char*>(SDL_malloc(size));
  std::memcpy(copy, text, size);
  return copy;
}

SDL_Event ofType(Uint32 type) {
  SDL_Event event{};
  event.type = type;
  return event;
}

SDL_Event windowEvent(Uint32 windowId, SDL_WindowEventID kind) {
  SDL_Event event = ofType(SDL_WINDOWEVENT);
  event.window.windowID = windowId;
  event.window.event = kind;
  event.window.data1 = 640;
  event.window.data2 = 480;
  return event;
}

SDL_Event dropEvent(Uint32 windowId, Uint32 type, char* text) {
  SDL_Event event = ofType(type);
  event.drop.windowID = windowId;
  event.drop.file = text;
  return event;
}

const std::vector<std::function<SDL_Event(Uint32, std::mt19937&)>>& kinds() {
  static const std::vector<std::function<SDL_Event(Uint32, std::mt19937&)>> all = {
      [](Uint32 id, std::mt19937& random) {
        SDL_Event event = ofType(SDL_MOUSEMOTION);
        event.motion.windowID = id;
        event.motion.x = static_cast<Sint32>(random() % 640);
        event.motion.y = static_cast<Sint32>(random() % 480);
        event.motion.xrel = 3;
        return event;
      },
      [](Uint32 id, std::mt19937& random) {
        SDL_Event event = ofType(random() % 2 ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP);
        event.button.windowID = id;
        event.button.button = static_cast<Uint8>(1 + random() % 3);
        return event;
      },
      [](Uint32 id, std::mt19937&) {
        SDL_Event event = ofType(SDL_MOUSEWHEEL);
        event.wheel.windowID = id;
        event.wheel.y = -1;
        return event;
      },
      [](Uint32 id, std::mt19937& random) {
        const SDL_WindowEventID kinds[] = {
            SDL_WINDOWEVENT_SHOWN,        SDL_WINDOWEVENT_EXPOSED,      SDL_WINDOWEVENT_MOVED,
            SDL_WINDOWEVENT_RESIZED,      SDL_WINDOWEVENT_SIZE_CHANGED, SDL_WINDOWEVENT_MINIMIZED,
            SDL_WINDOWEVENT_RESTORED,     SDL_WINDOWEVENT_ENTER,        SDL_WINDOWEVENT_LEAVE,
            SDL_WINDOWEVENT_FOCUS_GAINED, SDL_WINDOWEVENT_FOCUS_LOST,   SDL_WINDOWEVENT_CLOSE,
            SDL_WINDOWEVENT_TAKE_FOCUS};
        return windowEvent(id, kinds[random() % (sizeof kinds / sizeof kinds[0])]);
      },
      [](Uint32 id, std::mt19937&) {
        SDL_Event event = ofType(SDL_TEXTINPUT);
        event.text.windowID = id;
        std::strcpy(event.text.text, "z");
        return event;
      },
      [](Uint32 id, std::mt19937&) {
        SDL_Event event = ofType(SDL_TEXTEDITING);
        event.edit.windowID = id;
        std::strcpy(event.edit.text, "x");
        return event;
      },
#if SDL_VERSION_ATLEAST(2, 0, 22)
      [](Uint32 id, std::mt19937&) {
        SDL_Event event = ofType(SDL_TEXTEDITING_EXT);
        event.editExt.windowID = id;
        event.editExt.text = SDL_strdup("a longer composition than the short event holds");
        return event;
      },
#endif
      [](Uint32 id, std::mt19937&) { return dropEvent(id, SDL_DROPBEGIN, nullptr); },
      [](Uint32 id, std::mt19937&) {
        return dropEvent(id, SDL_DROPFILE, SDL_strdup("/home/someone/Pictures/cave.png"));
      },
      [](Uint32 id, std::mt19937&) {
        return dropEvent(id, SDL_DROPTEXT, allocatedText("a line of text dragged in"));
      },
      [](Uint32 id, std::mt19937&) { return dropEvent(id, SDL_DROPCOMPLETE, nullptr); },
      [](Uint32, std::mt19937&) { return ofType(SDL_QUIT); },
      [](Uint32, std::mt19937& random) {
        const Uint32 types[] = {SDL_AUDIODEVICEADDED,      SDL_AUDIODEVICEREMOVED,
                                SDL_JOYDEVICEADDED,        SDL_CONTROLLERDEVICEADDED,
                                SDL_DISPLAYEVENT,          SDL_KEYMAPCHANGED,
                                SDL_CLIPBOARDUPDATE,       SDL_RENDER_TARGETS_RESET,
                                SDL_FINGERDOWN,            SDL_APP_WILLENTERBACKGROUND};
        SDL_Event event = ofType(types[random() % (sizeof types / sizeof types[0])]);
        if (event.type == SDL_AUDIODEVICEADDED || event.type == SDL_AUDIODEVICEREMOVED)
          event.adevice.which = 1;
        return event;
      },
      [](Uint32 id, std::mt19937&) {
        static const Uint32 user_type = SDL_RegisterEvents(1);
        SDL_Event event = ofType(user_type);
        event.user.windowID = id;
        event.user.code = 7;
        return event;
      },
  };
  return all;
}

}  // namespace

void pushDesktopEvent(std::mt19937& random, Uint32 windowId) {
  SDL_Event event = kinds()[random() % kinds().size()](windowId, random);
  // A full queue refuses the event; the string is then still ours.
  if (SDL_PushEvent(&event) == 1) return;
  if (event.type == SDL_DROPFILE || event.type == SDL_DROPTEXT) SDL_free(event.drop.file);
#if SDL_VERSION_ATLEAST(2, 0, 22)
  if (event.type == SDL_TEXTEDITING_EXT) SDL_free(event.editExt.text);
#endif
}
