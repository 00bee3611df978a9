// Takes the picture of the page on a phone held upright (390x844 CSS pixels at three device
// pixels each) for the README: node tests/web/phone_picture.mjs docs/phone.png
// Needs build-web/site/ (tools/web.sh) and the browser tests' npm packages.
import { openGame, pause, startBrowser } from "./browser.mjs";

const [out] = process.argv.slice(2);
if (!out) {
  console.error("usage: node tests/web/phone_picture.mjs OUT.png");
  process.exit(2);
}
const session = await startBrowser();
try {
  const { page } = await openGame(session, (page) => page.setViewport(
    { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true }));
  // A moment of play: the crystals settle.
  await pause(1500);
  await page.screenshot({ path: out });
} finally {
  await session.close();
}
