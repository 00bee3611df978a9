// The game's keys, whoever holds them: the keyboard, a finger, a gamepad. A key goes down
// for the game when its first holder presses it and up when its last holder lets go, so a
// key held two ways stays down until both let go.
//
// SDL listens on the window and takes the scancode from `code`; our own events carry it.

export const kGameKeys = {
  ArrowLeft: { key: "ArrowLeft", keyCode: 37 },
  ArrowRight: { key: "ArrowRight", keyCode: 39 },
  ArrowUp: { key: "ArrowUp", keyCode: 38 },
  ArrowDown: { key: "ArrowDown", keyCode: 40 },
  KeyZ: { key: "z", keyCode: 90 },
  KeyX: { key: "x", keyCode: 88 },
  Escape: { key: "Escape", keyCode: 27 },
};

// code → the set of holders (e.g. "keyboard", "touch 3", "pad 0").
const holders = new Map();
const ours = new WeakSet();

function send(type, code) {
  const { key, keyCode } = kGameKeys[code];
  const event = new KeyboardEvent(type,
    { key, code, keyCode, which: keyCode, bubbles: true, cancelable: true });
  ours.add(event);
  window.dispatchEvent(event);
}

// Both report whether the game's view of the key changed.
function take(holder, code) {
  let held = holders.get(code);
  if (held === undefined) holders.set(code, held = new Set());
  if (held.has(holder)) return false;
  held.add(holder);
  return held.size === 1;
}

function drop(holder, code) {
  const held = holders.get(code);
  return held !== undefined && held.delete(holder) && held.size === 0;
}

export function press(holder, code) {
  if (take(holder, code)) send("keydown", code);
}

export function release(holder, code) {
  if (drop(holder, code)) send("keyup", code);
}

export function releaseAll(holder) {
  for (const code of holders.keys()) release(holder, code);
}

// Escape in fullscreen: browsers leave fullscreen on it, and may or may not pass the key on
// as well. Either way the player meant "leave fullscreen", not "quit": that Escape never
// reaches the game, nor one arriving just after the browser left; the next one quits.
const kEscapeAfterFullscreen = 250;
let fullscreen = false;
let leftFullscreenAt = -Infinity;
let escapeLeavesFullscreen = false;

function leavingFullscreen() {
  if (document.fullscreenElement) {
    document.exitFullscreen().catch(() => {});
    return true;
  }
  // Still fullscreen as far as the page has heard: its change event is on the way.
  return fullscreen || performance.now() - leftFullscreenAt < kEscapeAfterFullscreen;
}

function keep(event) {
  event.stopImmediatePropagation();
  event.preventDefault();
}

// Real keys pass through to the game as they came, unless another holder already has the
// key down (a second keydown) or still holds it (a keyup too early).
export function installKeyboard() {
  document.addEventListener("fullscreenchange", () => {
    fullscreen = document.fullscreenElement !== null;
    if (!fullscreen) leftFullscreenAt = performance.now();
  });
  // Registered before the game's own listeners, and on the way down, so it sees every key
  // first.
  window.addEventListener("keydown", (event) => {
    if (ours.has(event) || !(event.code in kGameKeys)) return;
    // Nor do the repeats of an Escape held down after it left fullscreen.
    if (event.code === "Escape") {
      escapeLeavesFullscreen = event.repeat ? escapeLeavesFullscreen : leavingFullscreen();
      if (escapeLeavesFullscreen) {
        keep(event);
        return;
      }
    }
    // The browser's own repeats go on as they always did.
    if (event.repeat) return;
    if (!take("keyboard", event.code)) keep(event);
  }, true);
  window.addEventListener("keyup", (event) => {
    if (ours.has(event) || !(event.code in kGameKeys)) return;
    if (event.code === "Escape" && escapeLeavesFullscreen) {
      escapeLeavesFullscreen = false;
      keep(event);
      return;
    }
    if (!drop("keyboard", event.code) && holders.get(event.code)?.size > 0) keep(event);
  }, true);
  // Keys let go while the page was not looking never send their keyup.
  window.addEventListener("blur", () => {
    escapeLeavesFullscreen = false;
    releaseAll("keyboard");
  });
}
