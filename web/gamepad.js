// Gamepads with the browser's "standard" mapping, read once a display frame while one is
// connected: the d-pad and the left stick past half way are the arrows, the bottom face
// button is Jump (Z), the left and right face buttons are Fire (X).
import { press, release, releaseAll } from "./keys.js";

const kStickDeadZone = 0.5;
const kButtons =
  { bottom: 0, right: 1, left: 2, padUp: 12, padDown: 13, padLeft: 14, padRight: 15 };

// pad index → the codes it holds.
const held = new Map();
let polling = false;

function wanted(pad) {
  const down = (button) => pad.buttons[button]?.pressed === true;
  const [x = 0, y = 0] = pad.axes;
  const codes = new Set();
  if (down(kButtons.padLeft) || x < -kStickDeadZone) codes.add("ArrowLeft");
  if (down(kButtons.padRight) || x > kStickDeadZone) codes.add("ArrowRight");
  if (down(kButtons.padUp) || y < -kStickDeadZone) codes.add("ArrowUp");
  if (down(kButtons.padDown) || y > kStickDeadZone) codes.add("ArrowDown");
  if (down(kButtons.bottom)) codes.add("KeyZ");
  if (down(kButtons.left) || down(kButtons.right)) codes.add("KeyX");
  return codes;
}

function forget(index) {
  releaseAll(`pad ${index}`);
  held.delete(index);
}

function poll() {
  const seen = new Set();
  for (const pad of navigator.getGamepads()) {
    if (!pad || !pad.connected || pad.mapping !== "standard") continue;
    seen.add(pad.index);
    const holder = `pad ${pad.index}`;
    const before = held.get(pad.index) ?? new Set();
    const now = wanted(pad);
    for (const code of before) if (!now.has(code)) release(holder, code);
    for (const code of now) if (!before.has(code)) press(holder, code);
    held.set(pad.index, now);
  }
  for (const index of [...held.keys()]) if (!seen.has(index)) forget(index);
  polling = seen.size > 0;
  if (polling) requestAnimationFrame(poll);
}

function startPolling() {
  if (polling) return;
  polling = true;
  requestAnimationFrame(poll);
}

export function installGamepads() {
  if (typeof navigator.getGamepads !== "function") return;
  window.addEventListener("gamepadconnected", startPolling);
  window.addEventListener("gamepaddisconnected", (event) => forget(event.gamepad.index));
  // A pad already in use before the page loaded.
  if ([...navigator.getGamepads()].some((pad) => pad)) startPolling();
}
