// Serves a folder of static files on 127.0.0.1, as any static web server would serve
// build-web/site/, and nothing outside it: a path whose real place (links followed) is not
// inside the folder is not found. Run: node web/serve.mjs FOLDER [PORT]; port 0 (the
// default) takes a free one.
import { createReadStream, realpathSync } from "node:fs";
import { realpath, stat } from "node:fs/promises";
import { createServer } from "node:http";
import { extname, join, resolve, sep } from "node:path";
import { fileURLToPath } from "node:url";

// Browsers compile WebAssembly as it streams in only when it comes as application/wasm.
const kTypes = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript; charset=utf-8",
  ".mjs": "text/javascript; charset=utf-8",
  ".wasm": "application/wasm",
  ".data": "application/octet-stream",
  ".png": "image/png",
  ".webmanifest": "application/manifest+json",
};

async function fileFor(root, url) {
  let path;
  try {
    path = decodeURIComponent(new URL(url, "http://host").pathname);
  } catch {
    return null;
  }
  if (path.includes("\0")) return null;
  if (path.endsWith("/")) path += "index.html";
  // Nothing outside the folder, however the path is spelt and wherever its links lead.
  const inside = (file) => file.startsWith(root + sep);
  if (!inside(resolve(join(root, path)))) return null;
  try {
    const file = await realpath(join(root, path));
    if (!inside(file)) return null;
    const info = await stat(file);
    return info.isFile() ? { file, size: info.size } : null;
  } catch {
    return null;
  }
}

// Resolves to { server, url } once listening.
export function serve(folder, port = 0) {
  const root = realpathSync(folder);
  const server = createServer(async (request, response) => {
    if (request.method !== "GET" && request.method !== "HEAD") {
      response.writeHead(405, { Allow: "GET, HEAD" }).end();
      return;
    }
    const found = await fileFor(root, request.url);
    if (found === null) {
      response.writeHead(404, { "Content-Type": "text/plain; charset=utf-8" }).end("Not found\n");
      return;
    }
    response.writeHead(200, {
      "Content-Type": kTypes[extname(found.file)] ?? "application/octet-stream",
      "Content-Length": found.size,
      // A rebuilt game shows on the next load.
      "Cache-Control": "no-cache",
      // An isolated page gets the browser's fine timers, which the frame measurements
      // read; the game itself needs neither header.
      "Cross-Origin-Opener-Policy": "same-origin",
      "Cross-Origin-Embedder-Policy": "require-corp",
    });
    if (request.method === "HEAD") response.end();
    else createReadStream(found.file).pipe(response);
  });
  return new Promise((done, fail) => {
    server.once("error", fail);
    server.listen(port, "127.0.0.1", () => {
      done({ server, url: `http://127.0.0.1:${server.address().port}/` });
    });
  });
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const [folder, port] = process.argv.slice(2);
  if (!folder) {
    console.error("usage: node web/serve.mjs FOLDER [PORT]");
    process.exit(2);
  }
  const { url } = await serve(folder, Number(port ?? 0));
  console.log(`Vantorel is at ${url} (serving ${folder}; Ctrl-C stops)`);
}
