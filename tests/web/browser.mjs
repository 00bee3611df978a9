// Debian's Chromium, headless, on the browser build served from 127.0.0.1: shared by the
// browser test and the measurements.
import { mkdtempSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";
import puppeteer from "puppeteer-core";

import { serve } from "../../web/serve.mjs";

const here = dirname(fileURLToPath(import.meta.url));
export const repository = resolve(here, "../..");
export const webDir = resolve(process.env.VANTOREL_WEB_DIR ?? join(repository, "build-web/site"));
const probeScript = readFileSync(join(here, "frame_probe.js"), "utf8");

// Serves a folder (webDir unless given) and starts the browser, headless unless an X
// display is given; close() ends both.
export async function startBrowser(folder = webDir, display = null) {
  const { server, url } = await serve(folder);
  const profile = mkdtempSync(join(tmpdir(), "vantorel-chromium-"));
  // A window on a display is as big as its page.
  const windowed = display === null ? {} : { env: { ...process.env, DISPLAY: display },
    defaultViewport: null };
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
    headless: display === null,
    ...windowed,
    // WebGL on the CPU, as no GPU is asked for; Chromium wants this said outright.
    args: ["--no-sandbox", "--disable-gpu", "--enable-unsafe-swiftshader", "--disable-quic", "--no-first-run",
      "--disable-background-networking", "--disable-component-update", "--disable-sync",
      "--window-size=1024,768", `--user-data-dir=${profile}`],
  });
  return {
    browser,
    url,
    async close() {
      await browser.close();
      server.closeAllConnections();
      server.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

// A new page with the frame probe, its console and its errors recorded, opened on the
// game and left once the first frame is drawn. prepare(page), if given, runs before the
// page is opened (to emulate a device, say).
export async function openGame({ browser, url }, prepare = null) {
  const page = await browser.newPage();
  if (prepare) await prepare(page);
  const consoleLines = [];
  const errors = [];
  page.on("console", (message) => {
    consoleLines.push({ type: message.type(), text: message.text() });
    if (message.type() === "error") errors.push(message.text());
  });
  page.on("pageerror", (error) => errors.push(String(error)));
  page.on("requestfailed", (request) => errors.push(`failed to load ${request.url()}`));
  await page.evaluateOnNewDocument(probeScript);
  await page.goto(url);
  await waitForFrames(page, 1);
  return { page, consoleLines, errors };
}

export async function waitForFrames(page, count, timeout = 30000) {
  await page.waitForFunction((n) => window.vantorelProbe.frames >= n, { timeout }, count);
}

// Resolves after ms of the game's own time passing in the page.
export function pause(ms) {
  return new Promise((done) => setTimeout(done, ms));
}
