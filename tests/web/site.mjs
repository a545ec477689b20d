// What the web page's tests and its benchmark share: the site written by dalvex-cli, a static server for it
// on the loopback address, Debian's Chromium started headless, and dalvex-cli's own answers to compare with.
import { execFileSync, spawnSync } from "node:child_process";
import { createServer } from "node:http";
import { mkdtempSync, readFileSync, rmSync, statSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { extname, join, normalize, resolve } from "node:path";
import { chromium } from "playwright-core";

const here = new URL(".", import.meta.url).pathname;
export const buildBin = resolve(process.env.DALVEX_BUILD_BIN || join(here, "../../build/bin"));
export const cli = join(buildBin, "dalvex-cli");

export function tempFolder() {
  const folder = mkdtempSync(join(tmpdir(), "dalvex-web-"));
  return { path: folder, remove: () => rmSync(folder, { recursive: true, force: true }) };
}

// Runs dalvex-cli; its standard output, or throws with its standard error.
export function runCli(args, { allowRefused = false } = {}) {
  const run = spawnSync(cli, args, { encoding: "utf8", maxBuffer: 64 << 20 });
  if (run.status !== 0 && !(allowRefused && run.status === 4))
    throw new Error(`dalvex-cli ${args.join(" ")}: exit ${run.status}: ${run.stderr}`);
  return run.stdout;
}

export function calc(args, options) {
  return JSON.parse(runCli(["calc", ...args], options));
}

// dalvex-cli's order (the default one, or the sketch file `start`) after a script of editing operations, as
// a sketch file; refused operations are left out, as the editor leaves them.
export function saveScript(folder, name, operations, start) {
  const script = join(folder, `${name}.json`);
  const file = join(folder, `${name}.dlx`);
  writeFileSync(script, JSON.stringify(operations));
  runCli(["save", file, ...(start ? [start] : []), "--script", script], { allowRefused: true });
  return file;
}

export function linkOf(address, file) {
  return `${address}#dlx=${readFileSync(file).toString("base64url")}`;
}

const types = { ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".css": "text/css",
                ".wasm": "application/wasm", ".pack": "application/octet-stream" };

// The site in `folder` served on 127.0.0.1 at a free port, until close().
export async function serve(folder) {
  const server = createServer((request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, "http://localhost").pathname));
    const file = join(folder, path === "/" ? "index.html" : path);
    try {
      if (!file.startsWith(folder) || !statSync(file).isFile()) throw new Error("not found");
      response.writeHead(200, { "content-type": types[extname(file)] || "application/octet-stream" });
      response.end(readFileSync(file));
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((done) => server.listen(0, "127.0.0.1", done));
  return { address: `http://127.0.0.1:${server.address().port}/index.html`,
           close: () => new Promise((done) => server.close(done)) };
}

// Writes the sample shop's site with dalvex-cli web.
export function writeSite(folder) {
  const site = join(folder, "site");
  execFileSync(cli, ["web", site]);
  return site;
}

// Debian's Chromium, headless, without the background traffic a closed network refuses.
export function launchBrowser() {
  return chromium.launch({
    executablePath: process.env.DALVEX_CHROMIUM || "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
           "--disable-component-update", "--disable-sync"],
  });
}
