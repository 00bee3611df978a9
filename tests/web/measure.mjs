// Measures the browser build in headless Chromium: the download, the publish folder, the
// time from navigation to the first drawn frame (on a first visit, and on a visit the
// service worker answers from its cache), and the work of a frame (events, update, draw,
// present) over 600 frames. Run by tools/web_benchmark.sh.
//
// VANTOREL_WEB_BASELINE=FOLDER serves another build beside this one (an older page, say)
// and takes the first visits of the two in turns, so that a busy machine slows both alike.
import { readdirSync, statSync } from "node:fs";
import { join } from "node:path";

import { serve } from "../../web/serve.mjs";
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

const firstFrameAt = async (browser, url = session.url) => {
  const { page } = await openGame({ browser, url });
  const at = await page.evaluate(() => window.vantorelProbe.firstFrameAt);
  await page.close();
  return at;
};
const report = (what, times) => console.log(`Navigation to the first drawn frame, ${what}, ` +
  `${times.length} loads: median ${median(times).toFixed(1)} ms ` +
  `(fastest ${Math.min(...times).toFixed(1)}, slowest ${Math.max(...times).toFixed(1)})`);

const firstVisit = async (url) => {
  const context = await session.browser.createBrowserContext();
  const at = await firstFrameAt(context, url);
  await context.close();
  return at;
};

const session = await startBrowser();
const baseline = process.env.VANTOREL_WEB_BASELINE
  ? await serve(process.env.VANTOREL_WEB_BASELINE) : null;
try {
  // Each first visit in a browser context of its own: nothing kept from the one before.
  const firstVisits = [];
  const baselineVisits = [];
  for (let load = 0; load < kLoads; ++load) {
    if (baseline) baselineVisits.push(await firstVisit(baseline.url));
    firstVisits.push(await firstVisit(session.url));
  }
  report("first visit", firstVisits);
  if (baseline) {
    report("first visit to the baseline, in turns", baselineVisits);
    const more = median(firstVisits.map((at, load) => at - baselineVisits[load]));
    console.log(`This build's first frame against the baseline's: median difference ` +
      `${more.toFixed(1)} ms`);
  }

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
  baseline?.server.close();
  await session.close();
}
