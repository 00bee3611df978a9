// The browser build played in Debian's headless Chromium: start-up, the first frame
// against the desktop build's, walking, firing, and Escape.
//
// Needs build-web/ (tools/web.sh) and the desktop build's vantorel_reference_frame
// (VANTOREL_REFERENCE_FRAME, default build/tests/); ./check provides both.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";

import { openGame, pause, startBrowser, waitForFrames } from "./browser.mjs";
import { desktopReference, giveReference, playerAt } from "./reference.mjs";

const kSparksLine = "Loading sprite: ../content/sprites/umbercrag/Sparks.pbm";

// Runs in the page: compares the game's first frame with the desktop frame inside the
// regions of the kinds given; returns one line per region that differs.
async function firstFrameDiffering(page, kinds) {
  return page.evaluate((kinds) => {
    const want = window.desktopFrame;
    const have = window.vantorelProbe.firstFrame;
    if (have.width !== want.width || have.height !== want.height)
      return [`canvas is ${have.width}x${have.height}, desktop frame ${want.width}x${want.height}`];
    const differing = [];
    for (const region of window.desktopRegions.filter((r) => kinds.includes(r.kind))) {
      let count = 0;
      let first = null;
      for (let y = region.y; y < region.y + region.h; ++y) {
        for (let x = region.x; x < region.x + region.w; ++x) {
          const i = (y * want.width + x) * 4;
          if (have.data[i] === want.data[i] && have.data[i + 1] === want.data[i + 1] &&
              have.data[i + 2] === want.data[i + 2]) continue;
          ++count;
          first ??= `(${x}, ${y}) is ${have.data.slice(i, i + 3)}, desktop ${want.data.slice(i, i + 3)}`;
        }
      }
      if (count > 0) differing.push(`${region.what}: ${count} pixels differ, first ${first}`);
    }
    return differing;
  }, kinds);
}

async function nextFrameSignature(page) {
  return page.evaluate(async () => {
    const data = (await window.vantorelProbe.nextFrame()).data;
    let hash = 0;
    for (let i = 0; i < data.length; ++i) hash = (Math.imul(hash, 31) + data[i]) | 0;
    return hash;
  });
}

// What the page shows, canvas and all, as the browser composites it.
async function shownCanvas(page) {
  return (await page.$("#canvas")).screenshot({ encoding: "base64" });
}

let session;
let game;
let reference;

before(async () => {
  reference = desktopReference();
  session = await startBrowser();
  game = await openGame(session);
  await giveReference(game.page, reference);
});

after(async () => {
  await session?.close();
});

test("start-up prints the desktop build's eight sheet lines, each once, and no error", () => {
  const lines = game.consoleLines.map((line) => line.text)
    .filter((text) => text.startsWith("Loading sprite: "));
  assert.equal(reference.startupLines.length, 8);
  assert.deepEqual(lines, reference.startupLines);
  assert.deepEqual(game.errors, []);
});

test("the first frame's wall tiles and HUD equal the desktop build's, pixel for pixel", async () => {
  assert.ok(reference.regions.some((r) => r.kind === "wall"));
  assert.ok(reference.regions.some((r) => r.kind === "hud"));
  assert.deepEqual(await firstFrameDiffering(game.page, ["wall", "hud"]), []);
});

test("holding Right walks the player right", async () => {
  const before = await playerAt(game.page);
  assert.ok(before.colours > 0 && before.pixels > 0, `the player is not found: ${JSON.stringify(before)}`);
  await game.page.keyboard.down("ArrowRight");
  await pause(700);
  await game.page.keyboard.up("ArrowRight");
  const afterWalking = await playerAt(game.page);
  assert.ok(afterWalking.x !== null, "the player is not found after walking");
  // More than a whole tile, at twice the size.
  assert.ok(afterWalking.x - before.x > 32, `player at x ${before.x}, then ${afterWalking.x}`);
  assert.deepEqual(game.errors, []);
});

test("X fires: the shot's sheet loads", async () => {
  const loaded = () => game.consoleLines.filter((line) => line.text === kSparksLine).length;
  assert.equal(loaded(), 0);
  await game.page.keyboard.down("KeyX");
  await pause(100);
  await game.page.keyboard.up("KeyX");
  for (let waited = 0; loaded() === 0 && waited < 3000; waited += 50) await pause(50);
  assert.equal(loaded(), 1);
  assert.deepEqual(game.errors, []);
});

test("Escape ends the loop: the canvas stops and the page says so, with a way back", async () => {
  const { page } = game;
  const moving = await nextFrameSignature(page);
  await pause(300);
  assert.notEqual(await nextFrameSignature(page), moving, "the game was not running before Escape");

  await page.keyboard.press("Escape");
  await page.waitForFunction(() =>
    document.getElementById("status").textContent.includes("The game has ended."), { timeout: 5000 });
  const frames = await page.evaluate(() => window.vantorelProbe.frames);
  const still = await shownCanvas(page);
  await pause(500);
  assert.equal(await shownCanvas(page), still);
  assert.equal(await page.evaluate(() => window.vantorelProbe.frames), frames);
  assert.deepEqual(game.errors, []);

  // Play again starts a new game.
  const linesBefore = game.consoleLines.length;
  await Promise.all([page.waitForNavigation(), page.click("#status button")]);
  await waitForFrames(page, 1);
  const again = game.consoleLines.slice(linesBefore).map((line) => line.text)
    .filter((text) => text.startsWith("Loading sprite: "));
  assert.deepEqual(again, reference.startupLines);
  assert.deepEqual(game.errors, []);
});

test("without WebAssembly or WebGL the page says so plainly and loads nothing", async () => {
  const cases = [
    { missing: "WebAssembly", hide: "delete window.WebAssembly;" },
    { missing: "WebGL", hide: `{
        const getContext = HTMLCanvasElement.prototype.getContext;
        HTMLCanvasElement.prototype.getContext = function (type, ...rest) {
          return type.startsWith("webgl") ? null : getContext.call(this, type, ...rest);
        };
      }` },
  ];
  for (const { missing, hide } of cases) {
    const page = await session.browser.newPage();
    const requested = [];
    page.on("request", (request) => requested.push(new URL(request.url()).pathname));
    await page.evaluateOnNewDocument(hide);
    await page.goto(session.url);
    assert.equal(await page.$eval("#status", (status) => status.textContent),
      `Vantorel cannot run here: this browser has no ${missing}.`, missing);
    assert.deepEqual(requested, ["/"], missing);
    await page.close();
  }
});
