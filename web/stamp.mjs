// Names a site's build in its service worker: the list of the site's files and a name made
// from their content, so that publishing a changed file replaces the cache of the build
// before. Run by tools/web.sh: node web/stamp.mjs SITE
import { createHash } from "node:crypto";
import { readdirSync, readFileSync, statSync, writeFileSync } from "node:fs";
import { join, resolve } from "node:path";
import { fileURLToPath } from "node:url";

const kWorker = "sw.js";
const kStampLine = /^const kSite = .*$/m;

// Returns the build's name. Safe to run again on a stamped site.
export function stamp(folder) {
  const files = readdirSync(folder)
    .filter((file) => file !== kWorker && statSync(join(folder, file)).isFile()).sort();
  const worker = join(folder, kWorker);
  const code = readFileSync(worker, "utf8");
  if (!kStampLine.test(code)) throw new Error(`${worker} has no line "const kSite = …"`);
  const hash = createHash("sha256");
  hash.update(code.replace(kStampLine, ""));
  for (const file of files) hash.update(`\0${file}\0`).update(readFileSync(join(folder, file)));
  const build = hash.digest("hex").slice(0, 16);
  const site = JSON.stringify({ build, files });
  writeFileSync(worker, code.replace(kStampLine, () => `const kSite = ${site};`));
  return build;
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const [folder] = process.argv.slice(2);
  if (!folder) {
    console.error("usage: node web/stamp.mjs SITE");
    process.exit(2);
  }
  console.log(`Build ${stamp(folder)}`);
}
