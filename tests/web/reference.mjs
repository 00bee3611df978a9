// The desktop build's first frame, handed to a page, and the player found in the game's
// frames by the colours only the player has there: shared by the browser tests.
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";

import { repository } from "./browser.mjs";

// The desktop build's first frame: its picture, its regions and its start-up lines.
export function desktopReference() {
  const tool = process.env.VANTOREL_REFERENCE_FRAME ??
    join(repository, "build/tests/vantorel_reference_frame");
  const folder = mkdtempSync(join(tmpdir(), "vantorel-reference-"));
  try {
    // From tests/, so that ../content is the repository's.
    const out = execFileSync(tool, [folder], { cwd: join(repository, "tests"), encoding: "utf8" });
    return {
      frame: "data:image/png;base64," + readFileSync(join(folder, "frame.png")).toString("base64"),
      regions: JSON.parse(readFileSync(join(folder, "regions.json"), "utf8")),
      startupLines: out.split("\n").filter((line) => line.startsWith("Loading sprite: ")),
    };
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}

// Hands the desktop frame and its regions to the page, as desktopFrame (ImageData)
// and desktopRegions.
export async function giveReference(page, reference) {
  await page.evaluate(async (frame, regions) => {
    const image = new Image();
    image.src = frame;
    await image.decode();
    const copy = document.createElement("canvas");
    copy.width = image.width;
    copy.height = image.height;
    copy.getContext("2d").drawImage(image, 0, 0);
    window.desktopFrame = copy.getContext("2d").getImageData(0, 0, image.width, image.height);
    window.desktopRegions = regions;
  }, reference.frame, reference.regions);
}

// Runs in the page: where the player is in the next frame, as the mean position of the
// pixels whose colours the desktop frame shows only where it drew the player and the gun.
export async function playerAt(page) {
  return page.evaluate(async () => {
    const want = window.desktopFrame;
    const player = window.desktopRegions.filter((r) => r.kind === "player");
    const inPlayer = (x, y) =>
      player.some((r) => x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h);
    const colour = (data, i) => (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
    const inside = new Set();
    const outside = new Set();
    for (let y = 0; y < want.height; ++y) {
      for (let x = 0; x < want.width; ++x)
        (inPlayer(x, y) ? inside : outside).add(colour(want.data, (y * want.width + x) * 4));
    }
    const own = new Set([...inside].filter((c) => !outside.has(c)));
    const have = await window.vantorelProbe.nextFrame();
    let sumX = 0;
    let sumY = 0;
    let count = 0;
    for (let y = 0; y < have.height; ++y) {
      for (let x = 0; x < have.width; ++x) {
        if (!own.has(colour(have.data, (y * have.width + x) * 4))) continue;
        sumX += x;
        sumY += y;
        ++count;
      }
    }
    return { colours: own.size, pixels: count, x: count > 0 ? sumX / count : null,
      y: count > 0 ? sumY / count : null };
  });
}
