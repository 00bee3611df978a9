// The published site in Debian's headless Chromium: loading with a progress bar, a file
// that does not come, the manifest and icons, and playing offline from the service
// worker's cache, then a new build picked up. Each test serves its own copy of
// build-web/site/ on a port of its own, so that it can change or stop it.
import assert from "node:assert/strict";
import { appendFileSync, cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, test } from "node:test";

import { stamp } from "../../web/stamp.mjs";
import { serve } from "../../web/serve.mjs";
import { openGame, startBrowser, waitForFrames, webDir } from "./browser.mjs";

const kSheetLine = "Loading sprite: ";
const kGameFiles = ["vantorel.js", "vantorel.wasm", "vantorel.data"];

let session;
const folders = [];

before(async () => {
  session = await startBrowser();
});

after(async () => {
  await session?.close();
  for (const folder of folders) rmSync(folder, { recursive: true, force: true });
});

function copySite() {
  const folder = mkdtempSync(join(tmpdir(), "vantorel-site-"));
  folders.push(folder);
  cpSync(webDir, folder, { recursive: true });
  return folder;
}

function stop(server) {
  server.closeAllConnections();
  server.close();
}

const statusOf = (page) => page.$eval("#status", (status) => status.textContent);

// What the page keeps: its caches and, in each, the files.
function kept(page) {
  return page.evaluate(async () => {
    const all = {};
    for (const name of await caches.keys()) {
      const requests = await (await caches.open(name)).keys();
      all[name] = requests.map((request) => new URL(request.url).pathname.slice(1)).sort();
    }
    return all;
  });
}

async function waitUntilKept(page) {
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null, { timeout: 10000 });
}

const buildOf = (folder) =>
  /const kSite = (\{.*\});/.exec(readFileSync(join(folder, "sw.js"), "utf8"))[1];

test("the bar counts the download up to the whole, then gives way to the game", async () => {
  const context = await session.browser.createBrowserContext();
  const game = await openGame({ browser: context, url: session.url }, async (page) => {
    // Slow enough to watch: about two seconds for the 1.4 MiB.
    const client = await page.createCDPSession();
    await client.send("Network.enable");
    await client.send("Network.emulateNetworkConditions",
      { offline: false, latency: 20, downloadThroughput: 800 * 1024, uploadThroughput: -1 });
    await page.evaluateOnNewDocument(() => {
      window.barSeen = [];
      new MutationObserver(() => {
        const bar = document.getElementById("progress");
        if (bar) window.barSeen.push({ value: bar.value, hidden: bar.hidden,
          text: document.getElementById("status").textContent });
      }).observe(document,
        { subtree: true, childList: true, characterData: true, attributes: true });
    });
  });
  const seen = await game.page.evaluate(() => window.barSeen);
  const counting = seen.filter((s) => /^Loading… \d+ %$/.test(s.text));
  assert.ok(counting.some((s) => s.value > 0.05 && s.value < 0.95),
    `no part-way figure: ${JSON.stringify(counting.slice(0, 5))}`);
  const values = counting.map((s) => s.value);
  assert.deepEqual(values, [...values].sort((a, b) => a - b), "the bar went back");
  assert.equal(await game.page.$eval("#progress", (bar) => bar.hidden), true);
  assert.equal(await statusOf(game.page), "");
  assert.deepEqual(game.errors, []);
  await context.close();
});

test("a file that does not come, or comes garbled, is named within five seconds", async () => {
  const site = copySite();
  const cases = [
    ...kGameFiles.map((file) =>
      ({ file, how: "missing", says: "the server answered 404 Not Found" })),
    { file: "vantorel.wasm", how: "cut off", says: "the network failed" },
    { file: "vantorel.wasm", how: "garbled", says: "it is not a WebAssembly module" },
  ];
  const { server, url } = await serve(site);
  try {
    for (const { file, how, says } of cases) {
      const moved = join(site, `${file}.away`);
      cpSync(join(site, file), moved);
      if (how === "missing") rmSync(join(site, file));
      if (how === "garbled") writeFileSync(join(site, file), "<p>Not here</p>");
      const context = await session.browser.createBrowserContext();
      const page = await context.newPage();
      if (how === "cut off") {
        await page.setRequestInterception(true);
        page.on("request", (request) => (request.url().endsWith(file)
          ? request.abort("connectionrefused") : request.continue()));
      }
      const started = Date.now();
      await page.goto(url);
      await page.waitForFunction((file) => document.getElementById("status").textContent
        .startsWith(`Could not load ${file}`), { timeout: 5000 }, file)
        .catch(async () => assert.fail(`${file} ${how}: the page says "${await statusOf(page)}"`));
      assert.ok(Date.now() - started < 5000);
      assert.equal(await statusOf(page), `Could not load ${file}: ${says}. Try again`,
        `${file} ${how}`);
      await context.close();
      cpSync(moved, join(site, file));
    }
  } finally {
    stop(server);
  }
});

test("the manifest makes the game installable, with icons of 192 and 512 pixels", async () => {
  const site = copySite();
  const { server, url } = await serve(site);
  try {
    const { page, errors } = await openGame({ browser: session.browser, url });
    await waitUntilKept(page);
    const client = await page.createCDPSession();
    const manifest = await client.send("Page.getAppManifest");
    assert.deepEqual(manifest.errors, []);
    const data = JSON.parse(manifest.data);
    assert.equal(data.name, "Vantorel");
    assert.equal(data.short_name, "Vantorel");
    assert.equal(data.display, "fullscreen");
    assert.equal(data.orientation, "landscape");
    assert.equal(new URL(data.start_url, manifest.url).href, url);
    for (const [index, side] of [192, 512].entries()) {
      const icon = data.icons[index];
      assert.equal(icon.sizes, `${side}x${side}`);
      // A PNG's width and height are the first two words of its header chunk.
      const png = readFileSync(join(site, icon.src));
      assert.deepEqual([png.readUInt32BE(16), png.readUInt32BE(20)], [side, side], icon.src);
    }
    const { installabilityErrors } = await client.send("Page.getInstallabilityErrors");
    assert.deepEqual(installabilityErrors, []);
    assert.deepEqual(errors, []);
    await page.close();
  } finally {
    stop(server);
  }
});

test("after one visit the game starts offline; after a new build, the next visit gets it",
  async () => {
    const site = copySite();
    let { server, url } = await serve(site);
    const port = Number(new URL(url).port);
    const context = await session.browser.createBrowserContext();
    try {
      const game = await openGame({ browser: context, url });
      const { page, consoleLines, errors } = game;
      await waitUntilKept(page);
      const first = JSON.parse(buildOf(site));
      assert.deepEqual(await kept(page), { [`vantorel-${first.build}`]: first.files });
      assert.ok(first.files.includes("vantorel.wasm") && first.files.includes("index.html"));

      // The network cut and the server gone.
      const client = await page.createCDPSession();
      await client.send("Network.enable");
      await client.send("Network.emulateNetworkConditions",
        { offline: true, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
      stop(server);
      const before = consoleLines.length;
      await page.reload();
      await waitForFrames(page, 1);
      const lines = consoleLines.slice(before).map((line) => line.text)
        .filter((text) => text.startsWith(kSheetLine));
      assert.equal(lines.length, 8, lines.join("\n"));
      assert.deepEqual(errors, []);

      // A new build published: one file changed, the site stamped again.
      appendFileSync(join(site, "vantorel.js"), "\nwindow.vantorelRebuilt = true;\n");
      const second = stamp(site);
      assert.notEqual(second, first.build);
      ({ server } = await serve(site, port));
      await client.send("Network.emulateNetworkConditions",
        { offline: false, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
      await page.goto(url);
      await page.waitForFunction(() => window.vantorelRebuilt === true, { timeout: 15000 });
      await waitForFrames(page, 1);
      assert.deepEqual(Object.keys(await kept(page)), [`vantorel-${second}`]);
      assert.deepEqual(errors, []);
    } finally {
      await context.close();
      stop(server);
    }
  });
