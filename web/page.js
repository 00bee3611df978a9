// The page around the game: fitting it to the screen, fullscreen, the touch controls and
// gamepads, loading the game's three files with a progress bar, and the service worker
// that keeps them for playing offline.

const stage = document.getElementById("stage");
const canvas = document.getElementById("canvas");
const status = document.getElementById("status");
const progress = document.getElementById("progress");
const fullscreen = document.getElementById("fullscreen");

// Installable: added here, not in the page, so that a browser that cannot run the game
// fetches nothing more.
const kLinks = [["manifest", "manifest.webmanifest"], ["apple-touch-icon", "icon-192.png"]];
for (const [rel, href] of kLinks) {
  const link = document.createElement("link");
  Object.assign(link, { rel, href });
  document.head.append(link);
}

function say(text, action) {
  status.textContent = text;
  if (action) {
    const button = document.createElement("button");
    button.textContent = action;
    button.addEventListener("click", () => location.reload());
    status.append(" ", button);
  }
}

// --- Size: the largest whole multiple of the game's 320x240 that fits, down to 2x; below
// that (phones) the largest 4:3 that fits. Only the displayed size changes: the drawing
// buffer stays what SDL made, and the browser scales it without blending.

// The box each group of touch controls takes beside or below the game.
const kControlsBox = 176;

function fit(width, height) {
  const whole = Math.floor(Math.min(width / 320, height / 240));
  if (whole >= 2) return { width: 320 * whole, height: 240 * whole };
  const side = Math.max(0, Math.floor(Math.min(width, height * 4 / 3) / 4) * 4);
  return { width: side, height: side * 3 / 4 };
}

function layout() {
  const { width, height } = stage.getBoundingClientRect();
  let arrangement = "alone";
  let size = fit(width, height);
  if (document.body.classList.contains("touch")) {
    const side = fit(width - 2 * kControlsBox, height);
    const below = fit(width, height - kControlsBox);
    arrangement = side.width >= below.width ? "side" : "below";
    size = arrangement === "side" ? side : below;
  }
  stage.dataset.arrangement = arrangement;
  if (!canvas.classList.contains("unmade")) {
    canvas.style.width = `${size.width}px`;
    canvas.style.height = `${size.height}px`;
  }
}

// SDL sizes the drawing buffer from the canvas's displayed size when it makes the window,
// and again on every resize of the browser's window, as the game's window is resizable. The
// game draws 320x240 whatever the buffer, and the browser's nearest-neighbour scaling of a
// fixed 640x480 keeps the game's pixels even where SDL's own would not: so the canvas has no
// size of ours until the window is made (class "unmade"), and SDL never hears of a resize.
window.addEventListener("resize", (event) => event.stopImmediatePropagation(), true);

function windowMade() {
  canvas.classList.remove("unmade");
  layout();
  keepForOffline();
}

// --- Touch: shown where the main pointer is coarse, or from the first touch on.
function showTouchControls() {
  if (document.body.classList.contains("touch")) return;
  document.body.classList.add("touch");
  layout();
}

const coarse = matchMedia("(pointer: coarse)");
if (coarse.matches) document.body.classList.add("touch");
coarse.addEventListener("change", () => coarse.matches && showTouchControls());
window.addEventListener("touchstart", showTouchControls, { capture: true, passive: true });
new ResizeObserver(layout).observe(stage);
layout();

// --- Fullscreen: the game and its controls together; on a phone, landscape if the browser
// lets us. A refusal of either leaves the page as it was.
fullscreen.hidden = !document.fullscreenEnabled;
fullscreen.addEventListener("click", async () => {
  try {
    await stage.requestFullscreen({ navigationUI: "hide" });
  } catch {
    return;
  }
  if (document.body.classList.contains("touch"))
    screen.orientation?.lock?.("landscape").catch(() => {});
  canvas.focus();
});

// --- Keys: the keyboard, touch and gamepad scripts come in beside the game, not ahead of it
// (they take the window's keys on the way down, ahead of SDL's listeners, whenever they
// arrive).
const kKeyScripts = {
  "keys.js": ({ installKeyboard }) => installKeyboard(),
  "controls.js": ({ installControls }) => installControls(document.querySelectorAll(".controls")),
  "gamepad.js": ({ installGamepads }) => installGamepads(),
};
for (const [file, install] of Object.entries(kKeyScripts))
  import(`./${file}`).then(install, (error) => fail(file, error));
// The game reads arrows and space; the page must not scroll with them.
const scrollKeys = new Set(["ArrowLeft", "ArrowRight", "ArrowUp", "ArrowDown", " "]);
window.addEventListener("keydown", (event) => {
  if (scrollKeys.has(event.key)) event.preventDefault();
});
canvas.addEventListener("mousedown", () => canvas.focus());

// --- A new build: once a service worker keeps the game, a visit with the network first asks
// for a newer one and, if there is, waits for it and starts again on it. Offline the question
// fails at once and the game starts from what is kept.
const kUpdateWait = 3000;

async function newerBuild() {
  const workers = navigator.serviceWorker;
  if (!workers?.controller) return false;
  const registration = await workers.getRegistration();
  if (!registration) return false;
  try {
    await Promise.race([registration.update(),
      new Promise((_, fail) => setTimeout(fail, kUpdateWait))]);
  } catch {
    // Offline, or slow: the newer build, if any, waits for the next visit.
  }
  const next = registration.installing ?? registration.waiting;
  if (!next) return false;
  say("Fetching the new version…");
  return new Promise((done) => {
    workers.addEventListener("controllerchange", () => done(true), { once: true });
    const settle = () => {
      if (next.state === "installed") next.postMessage("take over");
      if (next.state === "redundant") done(false);
    };
    next.addEventListener("statechange", settle);
    settle();
  });
}

// Once the game is under way, so that the worker's own download of every file does not
// hold up the first frames.
const kKeepAfter = 1000;

function keepForOffline() {
  setTimeout(() => navigator.serviceWorker?.register("sw.js").catch((error) => {
    console.warn(`The game will not be kept for offline play: ${error}`);
  }), kKeepAfter);
}

// --- Loading: the page fetches the three files itself, all at once, so that the bar can
// count every byte and a file that fails is named. The script runs once it and the sheets
// are in (emscripten takes the sheets from getPreloadedPackage); the WebAssembly compiles
// as it streams in.
let failed = false;

// What went wrong with a file, in a few words.
class LoadError extends Error {}

function fail(file, error) {
  if (failed) return;
  failed = true;
  progress.hidden = true;
  let why = "the download broke off";
  if (error instanceof LoadError) why = error.message;
  else if (error instanceof WebAssembly.CompileError) why = "it is not a WebAssembly module";
  say(`Could not load ${file}: ${why}.`, "Try again");
}

const counts = new Map();

function showProgress() {
  let loaded = 0;
  let total = 0;
  for (const count of counts.values()) {
    loaded += count.loaded;
    total += count.total;
  }
  const known = [...counts.values()].every((count) => count.total > 0);
  if (known && total > 0) {
    progress.value = loaded / total;
    if (!failed) say(`Loading… ${Math.floor(100 * loaded / total)} %`);
  } else {
    progress.removeAttribute("value");
  }
}

// A Response whose body counts towards the bar as it arrives: the one index.html set off,
// or, once the worker has been asked for a newer build, a fetch of our own.
async function download(file, fresh) {
  let response;
  try {
    response = await (fresh ? fetch(file) : window.vantorelDownloads.get(file));
  } catch {
    throw new LoadError("the network failed");
  }
  if (!response.ok) {
    throw new LoadError(`the server answered ${response.status} ${response.statusText}`.trim());
  }
  const count = { loaded: 0, total: Number(response.headers.get("Content-Length")) || 0 };
  counts.set(file, count);
  showProgress();
  const counted = response.body.pipeThrough(new TransformStream({
    transform(chunk, controller) {
      count.loaded += chunk.byteLength;
      showProgress();
      controller.enqueue(chunk);
    },
  }));
  return new Response(counted, { headers: response.headers });
}

async function bytes(file, fresh, read) {
  try {
    return await read(await download(file, fresh));
  } catch (error) {
    fail(file, error);
    throw error;
  }
}

async function start() {
  // The files set off before this may be an older build's, kept by the worker: once the
  // worker has looked for a newer one, they are asked for again (from its cache, at once).
  const kept = navigator.serviceWorker?.controller != null;
  if (await newerBuild()) {
    location.reload();
    return;
  }
  for (const file of window.vantorelDownloads.keys()) counts.set(file, { loaded: 0, total: 0 });
  const script = bytes("vantorel.js", kept, (response) => response.text());
  const data = bytes("vantorel.data", kept, (response) => response.arrayBuffer());
  const wasm = download("vantorel.wasm", kept);
  wasm.catch((error) => fail("vantorel.wasm", error));

  window.Module = {
    canvas,
    print: (line) => console.log(line),
    printErr: (line) => console.error(line),
    // The bar tells the progress; emscripten's own lines add nothing.
    setStatus: () => {},
    instantiateWasm(imports, done) {
      wasm.then((response) => WebAssembly.instantiateStreaming(response, imports))
        .then((result) => done(result.instance), (error) => fail("vantorel.wasm", error));
      return {};
    },
    getPreloadedPackage: () => sheets,
    onRuntimeInitialized: () => {
      progress.hidden = true;
      say("");
      canvas.focus();
    },
    // After main's first frame, which made the window.
    postRun: windowMade,
    onExit: (code) => {
      if (code === 0) say("The game has ended.", "Play again");
      else say(`The game stopped with an error (exit status ${code}); see the console.`,
        "Play again");
    },
    onAbort: () => {
      if (!failed) say("The game stopped with an error; see the console.", "Play again");
    },
  };
  let sheets;
  let source;
  try {
    [source, sheets] = await Promise.all([script, data]);
  } catch {
    return;
  }
  if (failed) return;
  const element = document.createElement("script");
  element.src = URL.createObjectURL(new Blob([source], { type: "text/javascript" }));
  document.body.append(element);
}

start();
