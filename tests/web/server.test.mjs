// The static server of ./play --web serves its folder and nothing outside it, however the
// path is spelt and wherever a link leads.
import assert from "node:assert/strict";
import { mkdirSync, mkdtempSync, rmSync, symlinkSync, writeFileSync } from "node:fs";
import { request } from "node:http";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, test } from "node:test";

import { serve } from "../../web/serve.mjs";

let top;
let server;
let port;

// top/site/ is published; beside it lie top/beside.txt, top/site-old/ and top/secret/.
before(async () => {
  top = mkdtempSync(join(tmpdir(), "vantorel-serve-"));
  const site = join(top, "site");
  mkdirSync(join(site, "inner"), { recursive: true });
  mkdirSync(join(top, "site-old"));
  mkdirSync(join(top, "secret"));
  writeFileSync(join(site, "index.html"), "page");
  writeFileSync(join(site, "inner", "file.txt"), "inner");
  writeFileSync(join(top, "beside.txt"), "beside");
  writeFileSync(join(top, "site-old", "index.html"), "old");
  writeFileSync(join(top, "secret", "key.txt"), "secret");
  symlinkSync("../beside.txt", join(site, "to-beside.txt"));
  symlinkSync(join(top, "secret"), join(site, "to-secret"));
  symlinkSync("inner/file.txt", join(site, "to-inner.txt"));
  ({ server } = await serve(site));
  port = server.address().port;
});

after(() => {
  server?.close();
  rmSync(top, { recursive: true, force: true });
});

// The path goes out exactly as written, as a hostile client would send it.
function get(path) {
  return new Promise((done, fail) => {
    const asking = request({ host: "127.0.0.1", port, path, method: "GET" }, (response) => {
      let body = "";
      response.setEncoding("utf8");
      response.on("data", (chunk) => { body += chunk; });
      response.on("end", () => done({ status: response.statusCode, body }));
    });
    asking.on("error", fail);
    asking.end();
  });
}

test("files inside the folder, links within it included, are served", async () => {
  for (const [path, body] of [["/", "page"], ["/index.html", "page"], ["/inner/file.txt", "inner"],
    ["/to-inner.txt", "inner"], ["/inner/../index.html", "page"]])
    assert.deepEqual(await get(path), { status: 200, body }, path);
});

test("a link out of the folder, .. in any spelling and files beside it are not found", async () => {
  const paths = [
    "/to-beside.txt", "/to-secret/key.txt", "/to-secret/",
    "/../beside.txt", "/%2e%2e/beside.txt", "/%2E%2E/beside.txt", "/.%2e/beside.txt",
    "/..%2fbeside.txt", "/..%2Fbeside.txt", "/%2e%2e%2fbeside.txt", "/inner/..%2f..%2fbeside.txt",
    "/..\\beside.txt", "/../site-old/index.html", "/%2e%2e/site-old/index.html",
    "//../beside.txt", "/%252e%252e/beside.txt", "/index.html%00", "/beside.txt",
  ];
  for (const path of paths) {
    const answer = await get(path);
    assert.equal(answer.status, 404, `${path}: ${answer.status} ${answer.body}`);
  }
});
