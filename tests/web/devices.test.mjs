// The page on every player's screen, in Debian's headless Chromium: phones with touch
// controls, desktops at whole multiples of the game's size, gamepads, fullscreen and
// Escape. Needs what browser.test.mjs needs.
import assert from "node:assert/strict";
import { after, afterEach, before, beforeEach, describe, test } from "node:test";

import { openGame, pause, startBrowser } from "./browser.mjs";
import { desktopReference, giveReference, playerAt } from "./reference.mjs";

const kSparksLine = "Loading sprite: ../content/sprites/umbercrag/Sparks.pbm";
// What reaches the game: recorded on the window where SDL listens, by a listener added
// after the game's own, so that it hears what they hear. (Listeners on the window run in
// the order they were added, capturing or not, for events sent to the window itself.)
const kKeyLog = `window.keyLog = [];
  for (const type of ["keydown", "keyup"])
    window.addEventListener(type, (event) => window.keyLog.push(type + " " + event.code));`;
const kPhone = { deviceScaleFactor: 3, isMobile: true, hasTouch: true };

let session;
let reference;

before(async () => {
  reference = desktopReference();
  session = await startBrowser();
});

after(async () => {
  await session?.close();
});

async function open(viewport, extra = "") {
  const game = await openGame(session, async (page) => {
    await page.setViewport(viewport);
    await page.evaluateOnNewDocument(extra);
  });
  await game.page.evaluate(kKeyLog);
  await giveReference(game.page, reference);
  return game;
}

const keyLog = (page) => page.evaluate(() => window.keyLog.splice(0));

// Where everything lies, in CSS pixels.
async function geometry(page) {
  return page.evaluate(() => {
    const canvas = document.getElementById("canvas");
    const shown = canvas.getBoundingClientRect();
    const scale = shown.width / canvas.width;
    const box = (r) => ({ left: r.left, top: r.top, right: r.right, bottom: r.bottom });
    return {
      viewport: { width: innerWidth, height: innerHeight },
      scrollWidth: document.documentElement.scrollWidth,
      buffer: { width: canvas.width, height: canvas.height },
      canvas: { ...box(shown), width: shown.width, height: shown.height },
      rendering: getComputedStyle(canvas).imageRendering,
      controls: [...document.querySelectorAll("[data-keys]")]
        .filter((zone) => zone.offsetParent !== null)
        .map((zone) => ({ keys: zone.dataset.keys, ...box(zone.getBoundingClientRect()) })),
      hud: window.desktopRegions.filter((r) => r.kind === "hud").map((r) => ({
        left: shown.left + r.x * scale, top: shown.top + r.y * scale,
        right: shown.left + (r.x + r.w) * scale, bottom: shown.top + (r.y + r.h) * scale })),
    };
  });
}

const overlaps = (a, b) =>
  a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
const inside = (a, b) =>
  a.left >= b.left && a.top >= b.top && a.right <= b.right && a.bottom <= b.bottom;

// Fingers through the DevTools protocol: touchStart and touchMove name the fingers that
// are down or moving, touchEnd the ones lifted.
async function fingers(page) {
  const client = await page.createCDPSession();
  const centres = await page.evaluate(() => Object.fromEntries(
    [...document.querySelectorAll("[data-keys].button")].map((zone) => {
      const r = zone.getBoundingClientRect();
      return [zone.dataset.keys, { x: r.left + r.width / 2, y: r.top + r.height / 2 }];
    })));
  const send = (type, points) => client.send("Input.dispatchTouchEvent",
    { type, touchPoints: points.map(([id, keys]) => ({ id, ...centres[keys] })) });
  return {
    down: (...points) => send("touchStart", points),
    move: (...points) => send("touchMove", points),
    up: (...points) => send("touchEnd", points),
  };
}

describe("a phone", () => {
  const layouts = [
    { name: "portrait", viewport: { width: 390, height: 844, ...kPhone } },
    { name: "landscape", viewport: { width: 844, height: 390, isLandscape: true, ...kPhone } },
  ];

  test("shows the whole game at 4:3, no sideways scroll, and controls that keep off the HUD",
    async () => {
      for (const { name, viewport } of layouts) {
        const { page, errors } = await open(viewport);
        const at = await geometry(page);
        const screen = { left: 0, top: 0, right: at.viewport.width, bottom: at.viewport.height };
        assert.ok(inside(at.canvas, screen), `${name}: canvas ${JSON.stringify(at.canvas)}`);
        assert.ok(Math.abs(at.canvas.width * 3 - at.canvas.height * 4) < 0.01, `${name}: not 4:3`);
        // The room no smaller than the screen allows beside the controls.
        const share = Math.max(at.canvas.width / at.viewport.width,
          at.canvas.height / at.viewport.height);
        assert.ok(share > 0.55, `${name}: canvas ${at.canvas.width}x${at.canvas.height} is small`);
        assert.deepEqual(at.buffer, { width: 640, height: 480 }, name);
        assert.equal(at.rendering, "pixelated", name);
        assert.ok(at.scrollWidth <= at.viewport.width,
          `${name}: scrolls sideways to ${at.scrollWidth}`);
        const buttons = at.controls.map((zone) => zone.keys).sort();
        for (const keys of ["ArrowLeft", "ArrowRight", "ArrowUp", "ArrowDown", "KeyZ", "KeyX"])
          assert.ok(buttons.includes(keys), `${name}: no ${keys} button`);
        assert.ok(at.hud.length > 0);
        for (const zone of at.controls) {
          assert.ok(inside(zone, screen), `${name}: ${zone.keys} off screen`);
          for (const hud of at.hud)
            assert.ok(!overlaps(zone, hud), `${name}: ${zone.keys} covers the HUD`);
        }
        // Nothing but the game's keys from the controls: no scroll or zoom, no selection,
        // no long-press menu, and a touch's default (mouse emulation, scrolling) refused.
        const handling = await page.evaluate(() => [...document.querySelectorAll(".controls")]
          .map((area) => {
            const style = getComputedStyle(area);
            const menu = new MouseEvent("contextmenu", { bubbles: true, cancelable: true });
            area.firstElementChild.dispatchEvent(menu);
            return { touchAction: style.touchAction, userSelect: style.userSelect,
              menuRefused: menu.defaultPrevented };
          }));
        for (const each of handling)
          assert.deepEqual(each, { touchAction: "none", userSelect: "none", menuRefused: true },
            name);
        assert.deepEqual(errors, [], name);
        await page.close();
      }
    });

  test("goes fullscreen with the controls on a tap, whether or not landscape can be locked",
    async () => {
      const { page, errors } = await open(layouts[0].viewport);
      await page.tap("#fullscreen");
      await page.waitForFunction(() => document.fullscreenElement?.id === "stage",
        { timeout: 2000 });
      const at = await geometry(page);
      assert.ok(at.controls.length > 0, "no controls in fullscreen");
      assert.deepEqual(at.buffer, { width: 640, height: 480 });
      // The page's lock, refused or not, leaves no error behind.
      await pause(200);
      assert.deepEqual(errors, []);
      await page.close();
    });

  // Each on a new game, from the player's place at the start.
  describe("played by touch", () => {
    let game;
    let touch;
    beforeEach(async () => {
      game = await open(layouts[0].viewport);
      touch = await fingers(game.page);
    });
    afterEach(async () => {
      assert.deepEqual(game.errors, []);
      await game.page.close();
    });

    test("a touch on a control is not passed on as a mouse press or a scroll", async () => {
      await game.page.evaluate(() => {
        window.touchRefused = [];
        for (const type of ["touchstart", "touchend"])
          window.addEventListener(type,
            (event) => window.touchRefused.push(event.defaultPrevented));
        window.mouseDowns = 0;
        window.addEventListener("mousedown", () => ++window.mouseDowns);
      });
      await touch.down([1, "ArrowUp"]);
      await touch.up([1, "ArrowUp"]);
      await pause(100);
      assert.deepEqual(await game.page.evaluate(() => [window.touchRefused, window.mouseDowns]),
        [[true, true], 0]);
      assert.deepEqual(await keyLog(game.page), ["keydown ArrowUp", "keyup ArrowUp"]);
    });

    test("Fire loads the Sparks sheet", async () => {
      const loaded = () => game.consoleLines.filter((line) => line.text === kSparksLine).length;
      assert.equal(loaded(), 0);
      await touch.down([1, "KeyX"]);
      await pause(100);
      await touch.up([1, "KeyX"]);
      for (let waited = 0; loaded() === 0 && waited < 3000; waited += 50) await pause(50);
      assert.equal(loaded(), 1);
      assert.deepEqual(await keyLog(game.page), ["keydown KeyX", "keyup KeyX"]);
    });

    test("holding Right walks the player more than a tile right", async () => {
      const start = await playerAt(game.page);
      assert.ok(start.pixels > 0, "the player is not found");
      await touch.down([1, "ArrowRight"]);
      await pause(700);
      await touch.up([1, "ArrowRight"]);
      const end = await playerAt(game.page);
      assert.ok(end.x - start.x > 32, `player at x ${start.x}, then ${end.x}`);
      assert.deepEqual(await keyLog(game.page), ["keydown ArrowRight", "keyup ArrowRight"]);
    });

    test("sliding from Right to Left lets go of Right and turns the player round", async () => {
      await touch.down([1, "ArrowRight"]);
      await pause(300);
      const turning = await playerAt(game.page);
      await touch.move([1, "ArrowLeft"]);
      await pause(900);
      const back = await playerAt(game.page);
      await touch.up([1, "ArrowLeft"]);
      assert.ok(turning.x - back.x > 32, `player at x ${turning.x}, then ${back.x}`);
      assert.deepEqual(await keyLog(game.page),
        ["keydown ArrowRight", "keyup ArrowRight", "keydown ArrowLeft", "keyup ArrowLeft"]);
    });

    test("Jump lifts the player", async () => {
      const ground = await playerAt(game.page);
      await touch.down([1, "KeyZ"]);
      await pause(250);
      const air = await playerAt(game.page);
      await touch.up([1, "KeyZ"]);
      assert.ok(ground.y - air.y > 16,
        `player at (${ground.x}, ${ground.y}), then (${air.x}, ${air.y})`);
      assert.deepEqual(await keyLog(game.page), ["keydown KeyZ", "keyup KeyZ"]);
    });

    test("Right held while another finger taps Jump does both", async () => {
      const start = await playerAt(game.page);
      await touch.down([1, "ArrowRight"]);
      await pause(100);
      await touch.down([1, "ArrowRight"], [2, "KeyZ"]);
      await pause(250);
      const air = await playerAt(game.page);
      await touch.up([2, "KeyZ"]);
      await pause(400);
      const end = await playerAt(game.page);
      await touch.up([1, "ArrowRight"]);
      assert.ok(start.y - air.y > 16, `player at y ${start.y}, then ${air.y}`);
      assert.ok(end.x - start.x > 32, `player at x ${start.x}, then ${end.x}`);
      assert.deepEqual(await keyLog(game.page),
        ["keydown ArrowRight", "keydown KeyZ", "keyup KeyZ", "keyup ArrowRight"]);
    });
  });
});

describe("a desktop", () => {
  test("shows the game at the largest whole multiple that fits, without touch controls, and refits",
    async () => {
      const cases = [
        { width: 1920, height: 1080, shown: { width: 1280, height: 960 } },
        { width: 1366, height: 768, shown: { width: 960, height: 720 } },
        { width: 800, height: 600, shown: { width: 640, height: 480 } },
        // Below twice the size: the largest 4:3 that fits.
        { width: 500, height: 400, shown: null },
      ];
      const { page, errors } = await open({ width: 1920, height: 1080 });
      for (const { width, height, shown: whole } of cases) {
        await page.setViewport({ width, height });
        const stage = await page.$eval("#stage", (e) => e.getBoundingClientRect().toJSON());
        const side = Math.floor(Math.min(stage.width, stage.height * 4 / 3) / 4) * 4;
        const shown = whole ?? { width: side, height: side * 3 / 4 };
        await page.waitForFunction((w) => document.getElementById("canvas")
          .getBoundingClientRect().width === w, { timeout: 2000 }, shown.width).catch(() => {});
        const at = await geometry(page);
        const name = `${width}x${height}`;
        assert.deepEqual({ width: at.canvas.width, height: at.canvas.height }, shown, name);
        assert.deepEqual(at.buffer, { width: 640, height: 480 }, name);
        assert.deepEqual(at.controls, [], name);
        assert.ok(at.scrollWidth <= width, name);
      }
      assert.deepEqual(errors, []);
      await page.close();
    });

  test("the first Escape in fullscreen only leaves it; the next one quits", async () => {
    const { page, errors } = await open({ width: 1366, height: 768 });
    // The frame that sees Escape is still drawn; a game going on draws many more.
    const running = async () => {
      const frames = await page.evaluate(() => window.vantorelProbe.frames);
      await pause(300);
      return (await page.evaluate(() => window.vantorelProbe.frames)) > frames + 3;
    };
    await page.click("#fullscreen");
    await page.waitForFunction(() => document.fullscreenElement?.id === "stage", { timeout: 2000 });
    assert.ok(await page.evaluate(() => ["canvas", "pad", "actions"]
      .every((id) => document.fullscreenElement.contains(document.getElementById(id)))));
    // Headless Chromium passes Escape to the page in fullscreen; this one is held long
    // enough to repeat.
    await page.keyboard.down("Escape");
    await page.keyboard.down("Escape");
    await page.keyboard.up("Escape");
    await page.waitForFunction(() => document.fullscreenElement === null, { timeout: 2000 });
    assert.ok(await running(), "the game stopped on leaving fullscreen");
    // A desktop browser leaves fullscreen on Escape itself; a keydown that comes just after
    // is the same press.
    await page.click("#fullscreen");
    await page.waitForFunction(() => document.fullscreenElement !== null, { timeout: 2000 });
    await page.evaluate(async () => {
      await document.exitFullscreen();
      for (const type of ["keydown", "keyup"])
        window.dispatchEvent(new KeyboardEvent(type,
          { key: "Escape", code: "Escape", bubbles: true }));
    });
    assert.ok(await running(), "the game stopped on an Escape just after fullscreen");
    assert.deepEqual(await keyLog(page), []);
    assert.deepEqual(await page.evaluate(() => [document.getElementById("canvas").width,
      document.getElementById("canvas").height]), [640, 480]);

    await pause(300);
    await page.keyboard.press("Escape");
    await page.waitForFunction(() =>
      document.getElementById("status").textContent.includes("The game has ended."),
      { timeout: 5000 });
    assert.deepEqual(await keyLog(page), ["keydown Escape", "keyup Escape"]);
    assert.deepEqual(errors, []);
    await page.close();
  });
});

test("a phone's slow CPU: under 20 times throttling the page answers and frames go on",
  async () => {
    const { page, errors } = await open({ width: 390, height: 844, ...kPhone });
    const client = await page.createCDPSession();
    await client.send("Emulation.setCPUThrottlingRate", { rate: 20 });
    const frames = await page.evaluate(() => window.vantorelProbe.frames);
    let slowest = 0;
    for (let asked = 0; asked < 5; ++asked) {
      const at = Date.now();
      await page.evaluate(() => document.getElementById("status").textContent);
      slowest = Math.max(slowest, Date.now() - at);
      await pause(300);
    }
    const drawn = (await page.evaluate(() => window.vantorelProbe.frames)) - frames;
    await client.send("Emulation.setCPUThrottlingRate", { rate: 1 });
    assert.ok(drawn >= 5, `${drawn} frames in two seconds`);
    assert.ok(slowest < 1500, `the page took ${slowest} ms to answer`);
    assert.deepEqual(errors, []);
    await page.close();
  });

describe("a gamepad", () => {
  // A standard pad the page finds through navigator.getGamepads, before its own scripts.
  const kFakePad = `
    window.fakePad = { index: 0, id: "Fake standard pad", mapping: "standard", connected: false,
      timestamp: 0, axes: [0, 0, 0, 0],
      buttons: Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 })) };
    navigator.getGamepads = () =>
      [window.fakePad.connected ? window.fakePad : null, null, null, null];
    window.padEvent = (type) => {
      window.fakePad.connected = type === "gamepadconnected";
      const event = new Event(type);
      event.gamepad = window.fakePad;
      window.dispatchEvent(event);
    };`;
  let game;
  before(async () => {
    game = await open({ width: 800, height: 600 }, kFakePad);
  });

  // Holds the buttons given (by index) and puts the left stick at axes, sends the event if
  // any, then waits three display frames.
  async function setPad(page, buttons = [], axes = [0, 0], event = null) {
    await page.evaluate(async (buttons, axes, event) => {
      for (const [index, button] of window.fakePad.buttons.entries()) {
        button.pressed = buttons.includes(index);
        button.value = button.pressed ? 1 : 0;
      }
      window.fakePad.axes = [...axes, 0, 0];
      if (event) window.padEvent(event);
      for (let frame = 0; frame < 3; ++frame)
        await new Promise((done) => requestAnimationFrame(done));
    }, buttons, axes, event);
  }

  test("its d-pad, stick and face buttons are the game's keys, one event per change", async () => {
    const { page } = game;
    const up = [0, -0.8];
    // [what, buttons held, left stick, event, the key events the change makes]
    const steps = [
      ["connected, nothing held", [], [0, 0], "gamepadconnected", []],
      ["d-pad right", [15], [0, 0], null, ["keydown ArrowRight"]],
      ["d-pad right and the stick a little right", [15], [0.3, 0], null, []],
      ["the stick past half way right", [], [0.7, 0], null, []],
      ["the stick back under half way", [], [0.4, 0], null, ["keyup ArrowRight"]],
      ["the stick up", [], up, null, ["keydown ArrowUp"]],
      ["up and the bottom button", [0], up, null, ["keydown KeyZ"]],
      ["and the left face button", [0, 2], up, null, ["keydown KeyX"]],
      ["and the right face button too", [0, 1, 2], up, null, []],
      ["the left face button let go", [0, 1], up, null, []],
      ["the right face button let go", [0], up, null, ["keyup KeyX"]],
      ["d-pad left and down", [0, 13, 14], up, null, ["keydown ArrowDown", "keydown ArrowLeft"]],
      ["disconnected while holding", [0, 13, 14], [0, 0], "gamepaddisconnected",
        ["keyup ArrowUp", "keyup KeyZ", "keyup ArrowDown", "keyup ArrowLeft"]],
    ];
    await keyLog(page);
    for (const [what, buttons, axes, event, keys] of steps) {
      await setPad(page, buttons, axes, event);
      assert.deepEqual((await keyLog(page)).sort(), [...keys].sort(), what);
    }
  });

  test("d-pad right walks the player right, the bottom button jumps, disconnecting stops it",
    async () => {
      const { page } = game;
      await setPad(page, [], [0, 0], "gamepadconnected");
      const start = await playerAt(page);
      await setPad(page, [15]);
      await pause(600);
      const walked = await playerAt(page);
      assert.ok(walked.x - start.x > 32, `player at x ${start.x}, then ${walked.x}`);
      await setPad(page, [15, 0]);
      await pause(200);
      const air = await playerAt(page);
      assert.ok(walked.y - air.y > 16, `player at y ${walked.y}, then ${air.y}`);
      await setPad(page, [15, 0], [0, 0], "gamepaddisconnected");
      // Let go, the player lands and slides to a halt; how many frames that takes in real
      // time depends on how busy the machine is.
      let stopped = await playerAt(page);
      let still = stopped;
      for (let tries = 0; tries < 20; ++tries) {
        await pause(300);
        [stopped, still] = [still, await playerAt(page)];
        if (Math.abs(still.x - stopped.x) < 1 && Math.abs(still.y - stopped.y) < 1) break;
      }
      assert.ok(Math.abs(still.x - stopped.x) < 1,
        `player still moving: x ${stopped.x}, then ${still.x}`);
      assert.deepEqual(game.errors, []);
    });

  test("a key held on the keyboard and the pad stays down until both let go", async () => {
    const { page } = game;
    await setPad(page, [], [0, 0], "gamepadconnected");
    await keyLog(page);
    const keyDown = () => page.keyboard.down("ArrowRight");
    const keyUp = () => page.keyboard.up("ArrowRight");
    const steps = [
      { what: "keyboard Right", act: keyDown, keys: ["keydown ArrowRight"] },
      { what: "and the d-pad", act: () => setPad(page, [15]), keys: [] },
      { what: "keyboard let go", act: keyUp, keys: [] },
      { what: "keyboard again", act: keyDown, keys: [] },
      { what: "d-pad let go", act: () => setPad(page), keys: [] },
      { what: "keyboard let go last", act: keyUp, keys: ["keyup ArrowRight"] },
    ];
    for (const { what, act, keys } of steps) {
      await act();
      await pause(50);
      assert.deepEqual(await keyLog(page), keys, what);
    }
    assert.deepEqual(game.errors, []);
  });
});
