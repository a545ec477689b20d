// The web page's own benchmark, in headless Chromium on the loopback address: the size of the module
// (gzipped, as a web server sends it), the time from opening the page to the first price, and the time each
// edit of the largest sketch (ten doors of twenty dividers, every insert filled) takes to be priced and drawn.
// Prints the figures; asserts nothing. Usage: node tests/web/bench.mjs [ROUNDS]
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { gzipSync } from "node:zlib";
import { launchBrowser, linkOf, saveScript, serve, tempFolder, writeSite } from "./site.mjs";

const rounds = Number(process.argv[2] || 20);
const folder = tempFolder();
const site = writeSite(folder.path);
const server = await serve(site);
const browser = await launchBrowser();

const gz = (name) => gzipSync(readFileSync(join(site, name)), { level: 9 }).length;
const kb = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;
const module = gz("dalvex.wasm") + gz("dalvex.js");
const page = ["index.html", "app.js", "module.js", "drawing.js", "pictures.js", "style.css"].reduce((s, f) => s + gz(f), 0);
console.log(`module (dalvex.wasm + dalvex.js) gzipped: ${kb(module)}; the page's own files: ${kb(page)}; ` +
            `the sample shop's data (shop.pack) gzipped: ${kb(gz("shop.pack"))}`);

function stats(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const at = (q) => sorted[Math.min(sorted.length - 1, Math.floor(q * sorted.length))];
  return `median ${at(0.5).toFixed(1)} ms, 90th percentile ${at(0.9).toFixed(1)} ms, most ${sorted.at(-1).toFixed(1)} ms`;
}

// From the start of the navigation to the total shown, each time in a new browser context (nothing cached).
const firstPrice = [];
for (let k = 0; k < Math.min(rounds, 10); ++k) {
  const context = await browser.newContext();
  const tab = await context.newPage();
  await tab.goto(server.address);
  await tab.waitForFunction(() => performance.getEntriesByName("dalvex-first-price").length > 0);
  firstPrice.push(await tab.evaluate(() => performance.getEntriesByName("dalvex-first-price")[0].startTime));
  await context.close();
}
console.log(`first price after opening the page: ${stats(firstPrice)}`);

// The largest sketch, made by dalvex-cli and opened as a link.
const operations = [{ op: "width", mm: 10000 }, { op: "height", mm: 2500 }, { op: "doors", count: 10 }];
for (let d = 0; d < 10; ++d)
  for (let i = 1; i <= 20; ++i) operations.push({ op: "split", door: d, insert: i, position: Math.floor((25000 * i) / 21), vertical: false });
for (let d = 0; d < 10; ++d)
  for (let i = 1; i <= 21; ++i) operations.push({ op: "fill", door: d, insert: i, material: "mirror_silver.jpg" });
const largest = saveScript(folder.path, "largest", operations);
const context = await browser.newContext({ viewport: { width: 1280, height: 900 } });
const tab = await context.newPage();
await tab.goto(linkOf(server.address, largest));
await tab.waitForFunction(() => location.hash === "");

// Each edit as the customer makes it, timed from the gesture to the next frame painted after it.
const edits = {
  "the opening's width typed": async (k) => {
    await tab.fill("#width", String(k % 2 ? 9990 : 10000));
    return tab.evaluate(() => {
      const t0 = performance.now();
      document.getElementById("width").dispatchEvent(new Event("change"));
      return new Promise((done) => requestAnimationFrame(() => setTimeout(() => done(performance.now() - t0))));
    });
  },
  "an insert filled": async (k) => {
    await tab.focus("#sketch");
    await tab.keyboard.press("ArrowRight");
    return tab.evaluate((k) => {
      const t0 = performance.now();
      document.querySelectorAll(".material")[k % 2].click();
      return new Promise((done) => requestAnimationFrame(() => setTimeout(() => done(performance.now() - t0))));
    }, k);
  },
  "undo": () => tab.evaluate(() => {
    const t0 = performance.now();
    document.getElementById("undo").click();
    return new Promise((done) => requestAnimationFrame(() => setTimeout(() => done(performance.now() - t0))));
  }),
};
for (const [name, edit] of Object.entries(edits)) {
  await tab.evaluate(() => performance.clearMeasures("dalvex-edit"));
  const framed = [];
  for (let k = 0; k < rounds; ++k) framed.push(await edit(k));
  const priced = await tab.evaluate(() => performance.getEntriesByName("dalvex-edit").map((e) => e.duration));
  console.log(`${name}, largest sketch: priced and drawn ${stats(priced)}; to the next frame ${stats(framed)}`);
}

await browser.close();
await server.close();
folder.remove();
