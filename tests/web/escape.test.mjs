// Escape in fullscreen as a player meets it: Debian's Chromium with its window on an Xvfb
// of our own and the keys pressed through X (xdotool), so that the browser's own handling
// of Escape takes part, which the DevTools protocol's keys go round. The browser leaves
// fullscreen on the first Escape without passing it on; the game must go on, and the
// next Escape quits.
import assert from "node:assert/strict";
import { execFileSync, spawn } from "node:child_process";
import { after, before, test } from "node:test";

import { openGame, pause, startBrowser } from "./browser.mjs";

let xvfb;
let display;
let session;

// Xvfb picks a free display and writes its number on the descriptor given.
function startXvfb() {
  return new Promise((done, fail) => {
    const server = spawn("Xvfb",
      ["-displayfd", "3", "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
      { stdio: ["ignore", "ignore", "ignore", "pipe"] });
    server.once("error", fail);
    let number = "";
    server.stdio[3].on("data", (chunk) => {
      number += chunk;
      if (number.includes("\n")) done({ server, display: `:${number.trim()}` });
    });
  });
}

before(async () => {
  ({ server: xvfb, display } = await startXvfb());
  session = await startBrowser(undefined, display);
});

after(async () => {
  await session?.close();
  xvfb?.kill();
});

const x = (...args) =>
  execFileSync("xdotool", args, { env: { ...process.env, DISPLAY: display }, encoding: "utf8" });

test("the browser's own Escape leaves fullscreen and the game goes on; the next one quits",
  async () => {
    const { page, errors } = await openGame(session);
    await page.evaluate(`window.keyLog = [];
      for (const type of ["keydown", "keyup"])
        window.addEventListener(type, (event) => window.keyLog.push(type + " " + event.code));`);
    const frames = () => page.evaluate(() => window.vantorelProbe.frames);
    const chromium = x("search", "--onlyvisible", "--class", "chromium").trim().split("\n").pop();
    x("windowfocus", "--sync", chromium);

    await page.click("#fullscreen");
    await page.waitForFunction(() => document.fullscreenElement !== null, { timeout: 3000 });
    x("key", "Escape");
    await page.waitForFunction(() => document.fullscreenElement === null, { timeout: 3000 });
    const before = await frames();
    await pause(300);
    assert.ok(await frames() > before + 3, "the game stopped on leaving fullscreen");
    assert.deepEqual(await page.evaluate(() => window.keyLog), []);

    x("key", "Escape");
    await page.waitForFunction(() =>
      document.getElementById("status").textContent.includes("The game has ended."),
      { timeout: 5000 });
    assert.deepEqual(await page.evaluate(() => window.keyLog), ["keydown Escape", "keyup Escape"]);
    assert.deepEqual(errors, []);
  });
