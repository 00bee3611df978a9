// Measures the browser build in headless Chromium: the download, the publish folder, the
// time from navigation to the first drawn frame (on a first visit, and on a visit the
// service worker answers from its cache), and the work of a frame (events, update, draw,
// present) over 600 frames. Run by tools/web_benchmark.sh.
import { readdirSync, statSync } from "node:fs";
import { join } from "node:path";

import { openGame, startBrowser, waitForFrames, webDir } from "./browser.mjs";

const kLoads = Number(process.env.VANTOREL_WEB_LOADS ?? 15);
const kFrames = 600;

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};

const files = ["vantorel.js", "vantorel.wasm", "vantorel.data"];
const sizes = files.map((file) => statSync(join(webDir, file)).size);
const total = sizes.reduce((a, b) => a + b, 0);
console.log(`Download: ${files.map((f, i) => `${f} ${sizes[i]} B`).join(", ")}; ` +
  `together ${total} B = ${(total / 1048576).toFixed(2)} MiB`);

const site = readdirSync(webDir).map((file) => statSync(join(webDir, file)).size);
const siteTotal = site.reduce((a, b) => a + b, 0);
console.log(`Publish folder: ${site.length} files, ${siteTotal} B = ` +
  `${(siteTotal / 1048576).toFixed(2)} MiB`);

const firstFrameAt = async (browser) => {
  const { page } = await openGame({ browser, url: session.url });
  const at = await page.evaluate(() => window.vantorelProbe.firstFrameAt);
  await page.close();
  return at;
};
const report = (what, times) => console.log(`Navigation to the first drawn frame, ${what}, ` +
  `${times.length} loads: median ${median(times).toFixed(1)} ms ` +
  `(fastest ${Math.min(...times).toFixed(1)}, slowest ${Math.max(...times).toFixed(1)})`);

const session = await startBrowser();
try {
  // Each first visit in a browser context of its own: nothing kept from the one before.
  const firstVisits = [];
  for (let load = 0; load < kLoads; ++load) {
    const context = await session.browser.createBrowserContext();
    firstVisits.push(await firstFrameAt(context));
    await context.close();
  }
  report("first visit", firstVisits);

  // Visits after the first, answered by the service worker (which still asks the server
  // for a newer build first). A page without one (an older build) has no such figure.
  if (readdirSync(webDir).includes("sw.js")) {
    const context = await session.browser.createBrowserContext();
    const { page: kept } = await openGame({ browser: context, url: session.url });
    await kept.evaluate(() => navigator.serviceWorker.ready);
    await kept.close();
    const again = [];
    for (let load = 0; load < kLoads; ++load) again.push(await firstFrameAt(context));
    await context.close();
    report("visit from the cache", again);
  }

  const { page, errors } = await openGame(session);
  await waitForFrames(page, kFrames + 1, 60000);
  const work = (await page.evaluate(() => window.vantorelProbe.work)).slice(0, kFrames);
  const sorted = [...work].sort((a, b) => a - b);
  console.log(`Frame work over ${work.length} frames: median ${(median(work) * 1000).toFixed(0)} µs, ` +
    `90th percentile ${(sorted[Math.floor(work.length * 0.9)] * 1000).toFixed(0)} µs, ` +
    `longest ${(sorted[sorted.length - 1] * 1000).toFixed(0)} µs`);
  if (errors.length > 0) console.log(`Errors in the page: ${errors.join("; ")}`);
} finally {
  await session.close();
}
