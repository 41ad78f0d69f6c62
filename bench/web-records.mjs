// How the web page copes with a big customer list: COUNT records (a header 氏名,電話番号,住所,
// the numbers of the benchmark mix) opened in headless chromium, then saved as CSV (streamed
// into the origin's private file system, as a user accepting the suggested name, and as a
// download) and as a workbook. Printed per step: its outcome, its time, the long tasks (over
// 50 ms) and the longest, and the page's JavaScript heap afterwards.
// Usage: node bench/web-records.mjs SITE_DIR MAKER COUNT [STEPS]
//   (MAKER: a native build's bench/kobal-bench-numbers; STEPS: "show", or "all", the default)
import { spawnSync } from "node:child_process";
import { closeSync, mkdtempSync, openSync, rmSync, statSync, writeSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { pathToFileURL } from "node:url";

const [site, maker, count, steps = "all"] = process.argv.slice(2);
if (!count) throw new Error("usage: node bench/web-records.mjs SITE_DIR MAKER COUNT [show|all]");
const testsDir = resolve(new URL("../tests/web/", import.meta.url).pathname);
const { answerSavePicker, clearPrivateFiles, finishBatch, openServedPage, saveAndWait, watchLongTasks } =
  await import(pathToFileURL(join(testsDir, "browser.mjs")).href);

const work = mkdtempSync(join(tmpdir(), "kobal-records-"));
const file = join(work, "customers.csv");
const numbers = spawnSync(resolve(maker), [count], { maxBuffer: 1 << 30 }).stdout.toString().split("\n");
const out = openSync(file, "w");
writeSync(out, "氏名,電話番号,住所\r\n");
for (let first = 0; first < Number(count); first += 100_000) {
  let text = "";
  for (let i = first; i < Math.min(first + 100_000, Number(count)); i++)
    text += `顧客${i + 1},${numbers[i]},東京都${i % 1000}\r\n`;
  writeSync(out, text);
}
closeSync(out);
console.log(`${count} records, ${statSync(file).size} bytes`);

const { server, browser, page } = await openServedPage(resolve(site));
try {
  let crashed = false;
  page.on("error", () => (crashed = true));
  const longTasks = await watchLongTasks(page);
  const measure = async (step, run) => {
    await longTasks();
    const started = Date.now();
    let outcome;
    try {
      outcome = await run();
    } catch (error) {
      outcome = crashed ? "tab crashed" : `failed (${error.message.split("\n")[0]})`;
    }
    const elapsed = Date.now() - started;
    if (crashed) return console.log(`${step}: tab crashed after ${elapsed} ms`), false;
    const tasks = await longTasks();
    const longest = tasks.length === 0 ? 0 : Math.max(...tasks);
    const heap = (await page.metrics()).JSHeapUsedSize / 2 ** 20;
    const message = await page.$eval("#batch-message", (m) => m.textContent);
    console.log(
      `${step}: ${outcome}, ${elapsed} ms, ${tasks.length} long tasks, longest ${longest.toFixed(0)} ms, ` +
        `JS heap ${heap.toFixed(0)} MB — ${message}`,
    );
    return true;
  };
  const shown = await measure("open and show", async () =>
    finishBatch(page, async () => (await page.$("#batch-file")).uploadFile(file)),
  );
  const session = await page.createCDPSession();
  await session.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: work });
  const saves = shown && steps !== "show" ? [[true, "#records-csv"], [false, "#records-csv"], [false, "#records-xlsx"]] : [];
  for (const [picker, button] of saves) {
    await answerSavePicker(page, picker);
    const saved = await measure(
      `save ${button.slice(9)} ${picker ? "streamed" : "downloaded"}`,
      async () => (await saveAndWait(page, button, 900_000))[0],
    );
    if (!saved) break;
    await clearPrivateFiles(page);
  }
} finally {
  await browser.close();
  server.close();
  rmSync(work, { recursive: true, force: true });
}
