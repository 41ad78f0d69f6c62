// Opens the web page in headless chromium from file://, gives its batch view FILE RUNS times
// (after one warm-up) and prints the page's own measure of each run, in milliseconds: from the
// file being chosen to every line classified and the table shown.
// Usage: node bench/web-page-timing.mjs SITE_DIR FILE RUNS   (run by bench/web-throughput.sh)
import { join, resolve } from "node:path";
import { pathToFileURL } from "node:url";

const [site, file, runs] = process.argv.slice(2);
// The driver is the web tests' (tests/web: puppeteer-core and the browser's options).
const testsDir = resolve(new URL("../tests/web/", import.meta.url).pathname);
const { finishBatch, launchBrowser } = await import(pathToFileURL(join(testsDir, "browser.mjs")).href);

const browser = await launchBrowser();
try {
  const page = await browser.newPage();
  await page.goto(pathToFileURL(join(site, "index.html")).href);
  await page.waitForSelector("html[data-ready]");
  const input = await page.$("#batch-file");
  const times = [];
  for (let run = 0; run <= Number(runs); run++) {
    await finishBatch(page, () => input.uploadFile(resolve(file)));
    const { state, elapsed } = await page.$eval("#batch-message", (m) => ({
      state: m.dataset.state,
      elapsed: m.dataset.elapsedMs,
    }));
    if (state !== "done") throw new Error(`the batch ended ${state}`);
    if (run > 0) times.push(Number(elapsed));
  }
  console.log(times.join(" "));
} finally {
  await browser.close();
}
