// The pictures of the page in docs/: a three-door order of the sample shop, at a desktop's and at a phone's
// width, in headless Chromium. Usage: node tests/web/screenshots.mjs [FOLDER] (default: docs/)
import { join } from "node:path";
import { launchBrowser, linkOf, saveScript, serve, tempFolder, writeSite } from "./site.mjs";

const docs = process.argv[2] || new URL("../../docs/", import.meta.url).pathname;
const folder = tempFolder();
const server = await serve(writeSite(folder.path));
const browser = await launchBrowser();
const order = saveScript(folder.path, "order", [
  { op: "system", name: "Далвекс" }, { op: "width", mm: 2700 }, { op: "height", mm: 2450 }, { op: "doors", count: 3 },
  { op: "split", door: 0, insert: 1, position: 8000, vertical: false },
  { op: "split", door: 0, insert: 2, position: 16000, vertical: false },
  { op: "fill", door: 0, insert: 1, material: "egger_h1145_st10.jpg" },
  { op: "fill", door: 0, insert: 2, material: "mirror_silver.jpg" },
  { op: "fill", door: 0, insert: 3, material: "egger_h1145_st10.jpg" },
  { op: "fill", door: 1, insert: 1, material: "mirror_bronze.jpg" },
  { op: "pasteDoor", from: 0, to: 2 },
]);
for (const [name, viewport, mobile] of [["web-desktop.png", { width: 1280, height: 860 }, false],
                                        ["web-phone.png", { width: 375, height: 812 }, true]]) {
  const context = await browser.newContext({ viewport, isMobile: mobile, hasTouch: mobile, deviceScaleFactor: 1 });
  const page = await context.newPage();
  await page.goto(linkOf(server.address, order));
  await page.waitForFunction(() => location.hash === "");
  await page.mouse.click(viewport.width * (mobile ? 0.27 : 0.2), viewport.height * (mobile ? 0.4 : 0.45));
  await page.waitForTimeout(300); // the pictures decoded and drawn
  await page.screenshot({ path: join(docs, name) });
  await context.close();
}
await browser.close();
await server.close();
folder.remove();
