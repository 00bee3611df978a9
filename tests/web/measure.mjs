// Measures the browser build in headless Chromium: the download, the time from
// navigation to the first drawn frame, and the work of a frame (events, update, draw,
// present) over 600 frames. Run by tools/web_benchmark.sh.
import { statSync } from "node:fs";
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

const session = await startBrowser();
try {
  const firstFrames = [];
  for (let load = 0; load < kLoads; ++load) {
    const { page } = await openGame(session);
    firstFrames.push(await page.evaluate(() => window.vantorelProbe.firstFrameAt));
    await page.close();
  }
  console.log(`Navigation to the first drawn frame, ${kLoads} loads: median ` +
    `${median(firstFrames).toFixed(1)} ms (fastest ${Math.min(...firstFrames).toFixed(1)}, ` +
    `slowest ${Math.max(...firstFrames).toFixed(1)})`);

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
