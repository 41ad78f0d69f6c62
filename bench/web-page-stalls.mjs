// How long the web page's batch view holds up its tab: COUNT numbers of the benchmark mix read
// and answered, then saved as CSV, UTF-8 and Shift-JIS, both through the save picker's
// streaming (into the origin's private file system, as a user accepting the suggested name)
// and as a download (the path of browsers without the picker; refused above its limit). The
// page's own PerformanceObserver records every task over 50 ms ("longtask"); printed per step:
// its time, the number of long tasks and the longest, in milliseconds.
// Usage: node bench/web-page-stalls.mjs SITE_DIR MAKER COUNT
//   (MAKER: a native build's bench/kobal-bench-numbers)
import { spawnSync } from "node:child_process";
import { mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { pathToFileURL } from "node:url";

const [site, maker, count] = process.argv.slice(2);
if (!count) throw new Error("usage: node bench/web-page-stalls.mjs SITE_DIR MAKER COUNT");
const testsDir = resolve(new URL("../tests/web/", import.meta.url).pathname);
const { answerSavePicker, clearPrivateFiles, finishBatch, openServedPage, saveAndWait, watchLongTasks } = await import(
  pathToFileURL(join(testsDir, "browser.mjs")).href
);

const work = mkdtempSync(join(tmpdir(), "kobal-stalls-"));
const file = join(work, "numbers.txt");
const numbers = spawnSync(resolve(maker), [count], { maxBuffer: 1 << 30 });
if (numbers.status !== 0) throw new Error(`${maker} failed`);
writeFileSync(file, numbers.stdout);

const { server, browser, page } = await openServedPage(resolve(site), { width: 1000, height: 900 });
try {
  const longTasks = await watchLongTasks(page);
  const measure = async (step, run) => {
    await longTasks();
    const started = Date.now();
    const outcome = await run();
    const elapsed = Date.now() - started;
    const tasks = await longTasks();
    const longest = tasks.length === 0 ? 0 : Math.max(...tasks);
    console.log(`${step}: ${outcome}, ${elapsed} ms, ${tasks.length} long tasks, longest ${longest.toFixed(0)} ms`);
  };
  await measure("read and answer", async () =>
    finishBatch(page, async () => (await page.$("#batch-file")).uploadFile(file)),
  );
  const session = await page.createCDPSession();
  await session.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: work });
  for (const [picker, encoding, button] of [
    [true, "UTF-8", "#csv-utf8"],
    [true, "Shift-JIS", "#csv-shift-jis"],
    [false, "UTF-8", "#csv-utf8"],
    [false, "Shift-JIS", "#csv-shift-jis"],
  ]) {
    await answerSavePicker(page, picker);
    await measure(`save ${encoding} ${picker ? "streamed" : "downloaded"}`, async () =>
      (await saveAndWait(page, button, 900_000))[0],
    );
    await clearPrivateFiles(page);
  }
} finally {
  await browser.close();
  server.close();
  rmSync(work, { recursive: true, force: true });
}
