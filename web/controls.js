// The on-screen controls: every zone marked data-keys presses its keys while a finger is on
// it. Each finger is followed on its own, so one can hold Right while another taps Jump, and
// a finger sliding from one zone to the next lets go of the first and presses the second.
import { press, release } from "./keys.js";

// touch identifier → the zone under that finger (absent: none).
const fingers = new Map();

const keysOf = (zone) => (zone === null ? [] : zone.dataset.keys.split(" "));

function zoneAt(touch) {
  const element = document.elementFromPoint(touch.clientX, touch.clientY);
  return element?.closest("[data-keys]") ?? null;
}

function move(id, zone) {
  const was = fingers.get(id) ?? null;
  if (was === zone) return;
  const holder = `touch ${id}`;
  const now = keysOf(zone);
  for (const code of keysOf(was)) if (!now.includes(code)) release(holder, code);
  for (const code of now) press(holder, code);
  if (zone === null) fingers.delete(id);
  else fingers.set(id, zone);
  const down = new Set(fingers.values());
  for (const each of document.querySelectorAll("[data-keys]"))
    each.classList.toggle("down", down.has(each));
}

export function installControls(areas) {
  const follow = (event) => {
    // No scrolling, zooming, mouse emulation or long-press menu from the controls.
    event.preventDefault();
    const lifted = event.type === "touchend" || event.type === "touchcancel";
    for (const touch of event.changedTouches) move(touch.identifier, lifted ? null : zoneAt(touch));
  };
  for (const area of areas) {
    for (const type of ["touchstart", "touchmove", "touchend", "touchcancel"])
      area.addEventListener(type, follow, { passive: false });
    area.addEventListener("contextmenu", (event) => event.preventDefault());
  }
}
