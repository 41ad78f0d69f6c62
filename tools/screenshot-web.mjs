// Takes the screenshot of the web page for the docs: headless chromium, the page from file://,
// a number searched and a short batch shown. Writes docs/images/kobal-web.png.
// Usage: node tools/screenshot-web.mjs [SITE_DIR]   (default: build/wasm/web/site; needs
// `cmake --build --preset wasm` and the page's driver from `bash tools/install-deps.sh test`)
import { join, resolve } from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

const repository = resolve(fileURLToPath(new URL("..", import.meta.url)));
const site = resolve(process.argv[2] ?? join(repository, "build/wasm/web/site"));
const { launchBrowser } = await import(pathToFileURL(join(repository, "tests/web/browser.mjs")).href);

const browser = await launchBrowser();
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 960, height: 1000 });
  await page.goto(pathToFileURL(join(site, "index.html")).href);
  await page.waitForSelector("html[data-ready]");
  await page.type(
    "#batch-text",
    "011-201-2345\n+81 90 1201 2345\n（０１２０）１２３－４５６\n117\n0460-2-1234\n不明な番号",
  );
  await page.click("#batch-run");
  await page.waitForFunction(() => document.getElementById("batch-message").dataset.state === "done");
  await page.type("#number", "03-3520-1234");
  await page.keyboard.press("Enter");
  const out = join(repository, "docs/images/kobal-web.png");
  await page.screenshot({ path: out, clip: { x: 0, y: 0, width: 960, height: 860 } });
  console.log(`wrote ${out}`);
} finally {
  await browser.close();
}
