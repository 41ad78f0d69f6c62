// Customer lists of millions of records in Debian's chromium: read a piece at a time with the
// first records shown, the CSV streamed into the chosen file byte for byte as kobal-lookup
// writes it, and a download too big for the browser or a workbook beyond a sheet's rows refused
// before any work, saying what to do instead. The page is served over HTTP, where the origin's
// private file system gives the save picker a real file to write.
import assert from "node:assert/strict";
import { execFileSync, spawn, spawnSync } from "node:child_process";
import {
  appendFileSync,
  closeSync,
  createReadStream,
  existsSync,
  mkdtempSync,
  openSync,
  readdirSync,
  readFileSync,
  rmSync,
  writeFileSync,
  writeSync,
} from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, test } from "node:test";
import { createKobal } from "../../web/module/core.js";
import { answerSavePicker, chooseFields, finishBatch, openServedPage, privateFiles, saveAndWait } from "./browser.mjs";
import { KOBAL_LOOKUP, NATIVE_BUILD, runNative, sha256, SITE, WEB_BUILD } from "./environment.mjs";

const work = mkdtempSync(join(tmpdir(), "kobal-page-records-"));
let browser;
let server;
let page;

// A customer list of `count` records, 氏名,電話番号,住所, the numbers from the benchmark's mix,
// written in `encoding` ("utf8" or "utf16le", the latter with its byte order mark).
function writeList(name, count, encoding) {
  const numbers = spawnSync(join(NATIVE_BUILD, "bench/kobal-bench-numbers"), [String(count)], {
    maxBuffer: 1 << 30,
  })
    .stdout.toString()
    .split("\n");
  const path = join(work, name);
  const file = openSync(path, "w");
  if (encoding === "utf16le") writeSync(file, Buffer.of(0xff, 0xfe));
  writeSync(file, Buffer.from("氏名,電話番号,住所\r\n", encoding));
  for (let first = 0; first < count; first += 100_000) {
    let text = "";
    for (let i = first; i < Math.min(first + 100_000, count); i++)
      text += `顧客${i + 1},${numbers[i]},東京都${i % 1000}\r\n`;
    writeSync(file, Buffer.from(text, encoding));
  }
  closeSync(file);
  return path;
}

const save = (button) => saveAndWait(page, button, 300_000);

// The path of the download `name` once the browser has put it in place (after its .crdownload),
// waiting up to 10 s; past that, what the folder holds instead.
async function downloaded(name) {
  const path = join(work, name);
  for (let i = 0; i < 100 && !existsSync(path); i++) await new Promise((resolve) => setTimeout(resolve, 100));
  assert.ok(existsSync(path), `no ${name} after 10 s; the download folder holds: ${readdirSync(work).join(", ")}`);
  return path;
}

const shownRecords = () =>
  page.$$eval("#records-table tbody tr", (rows) => rows.map((row) => [...row.cells].map((cell) => cell.textContent)));

// kobal-lookup's cells for an answered column without --fields, which the lists below are held to.
const FIRST_FIELDS = ["number", "status", "result"];

before(async () => {
  ({ server, browser, page } = await openServedPage(SITE));
  await chooseFields(page, FIRST_FIELDS);
});

// libxlsxwriter stores a width in pixels of a 7-pixel digit, with Excel's padding of 5 added.
const storedWidth = (width) => (Math.round(width * 7) + 5) / 7;

// A workbook's cells, read by openpyxl, and its first columns' widths.
const workbookCells = (path) =>
  JSON.parse(
    execFileSync(
      "/usr/bin/python3",
      [
        "-c",
        "import json, sys, openpyxl\n" +
          "sheet = openpyxl.load_workbook(sys.argv[1]).active\n" +
          "print(json.dumps([[[c.value or '' for c in row] for row in sheet.iter_rows()],\n" +
          "  [sheet.column_dimensions[c].width for c in 'ABCDEF']]))",
        path,
      ],
      { maxBuffer: 1 << 28 },
    ).toString(),
  );

after(async () => {
  await browser?.close();
  server?.close();
  rmSync(work, { recursive: true, force: true });
});

test("1,100,000 records: the first 200 shown, the CSV streamed as kobal-lookup writes it, no workbook past a sheet's rows", async () => {
  const list = writeList("customers.csv", 1_100_000, "utf8");
  assert.equal(await finishBatch(page, async () => (await page.$("#batch-file")).uploadFile(list)), "done");
  assert.match(await page.$eval("#batch-message", (m) => m.textContent), /^1,100,000 件のレコード \(UTF-8, 「,」区切り\)。/);
  const shown = await shownRecords();
  assert.equal(shown.length, 200);
  assert.deepEqual([shown[0].slice(0, 1), shown[199].slice(0, 1)], [["顧客1"], ["顧客200"]]);

  await answerSavePicker(page);
  const expected = spawn(KOBAL_LOOKUP, ["--column", "2", "--input", list], { stdio: ["ignore", "pipe", "inherit"] });
  const expectedHash = sha256(expected.stdout);
  const [outcome, message] = await save("#records-csv");
  assert.equal(outcome, "done", message);
  assert.match(message, /^customers-kobal\.csv \([\d,]+ MB\) を保存しました。$/);
  const [written] = privateFiles(browser);
  assert.equal(await sha256(createReadStream(written)), await expectedHash);
  rmSync(written);

  const [refused, why] = await save("#records-xlsx");
  assert.equal(refused, "refused");
  assert.match(why, /^1,100,000 件のレコードは、Excel のシートは 1,048,576 行までのため、Excel ブックにしません。/);
  assert.match(why, /kobal-lookup \(-f xlsx、シートを分けて書きます\) を使ってください。$/);
  assert.equal(await page.$eval("#records-csv", (button) => button.disabled), false);
});

test("workbooks: 5,000 records written whole, every cell text; 100,001 refused as more than the page builds", async () => {
  await answerSavePicker(page, false);
  const session = await page.createCDPSession();
  await session.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: work });
  // Big enough for write-excel-file to zip in a worker of its own, which the page's CSP must allow.
  const list = writeList("five-thousand.csv", 5_000, "utf8");
  assert.equal(await finishBatch(page, async () => (await page.$("#batch-file")).uploadFile(list)), "done");
  const [outcome, message] = await save("#records-xlsx");
  assert.equal(outcome, "done", message);
  assert.match(message, /^five-thousand-kobal\.xlsx \([\d,]+ MB\) をダウンロードしました。$/);
  const book = await downloaded("five-thousand-kobal.xlsx");
  const [rows, last] = JSON.parse(
    execFileSync("/usr/bin/python3", [
      "-c",
      "import json, sys, openpyxl\n" +
        "rows = list(openpyxl.load_workbook(sys.argv[1], read_only=True).active.iter_rows(values_only=True))\n" +
        "print(json.dumps([len(rows), [cell or '' for cell in rows[-1]]]))",
      book,
    ]).toString(),
  );
  // The last record's number, status and result as kobal-lookup answers them.
  const answered = runNative(KOBAL_LOOKUP, ["--column", "2", "--input", list]).toString().trim().split("\r\n").at(-1);
  assert.deepEqual([rows, last[0], last.slice(-3)], [5_001, "顧客5000", answered.split(",").slice(-3).map((field) => field.replace(/^"(.*)"$/, "$1"))]);

  const over = writeList("over-the-limit.csv", 100_001, "utf8");
  assert.equal(await finishBatch(page, async () => (await page.$("#batch-file")).uploadFile(over)), "done");
  const [refused, why] = await save("#records-xlsx");
  assert.equal(refused, "refused");
  assert.match(why, /^100,001 件のレコードは、このページがブックを作れるのは 100,000 件までのため、Excel ブックにしません。/);
});

test("a workbook holds the cells and column widths kobal-lookup's does, a cell past Excel's limit cut and told of", async () => {
  const session = await page.createCDPSession();
  await session.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: work });
  const list = join(work, "long-cells.csv");
  writeFileSync(list, `氏名,電話番号,備考\r\n山田 太郎,03-3520-1234,${"長".repeat(40_000)}\r\nｶﾅ,117,\r\n`);
  assert.equal(await finishBatch(page, async () => (await page.$("#batch-file")).uploadFile(list)), "done");
  const [outcome, message] = await save("#records-xlsx");
  assert.equal(outcome, "done", message);
  assert.match(message, /record 2, column 3: a cell of 40000 characters is cut to Excel's 32767/);
  const book = await downloaded("long-cells-kobal.xlsx");
  const native = join(work, "long-cells-native.xlsx");
  runNative(KOBAL_LOOKUP, ["--column", "2", "-f", "xlsx", "-o", native, "--input", list]);
  const read = workbookCells;
  const [cells, widths] = read(book);
  assert.equal(cells[1][2].length, 32767);
  assert.ok(cells[1][2].endsWith("長…"));
  const [nativeCells, nativeWidths] = read(native);
  assert.deepEqual(cells, nativeCells);
  assert.deepEqual(widths.map(storedWidth), nativeWidths.map((width) => Math.round(width * 7) / 7));

});

test("the chosen fields are the cells added, as kobal-lookup --fields adds them: in the table, the CSV and the workbook, chosen again while a list is read", async () => {
  await answerSavePicker(page);
  const session = await page.createCDPSession();
  await session.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: work });
  // Enough records to be read in many pieces, so that boxes ticked meanwhile catch a reading
  // under way; then cells of two numbers, a formula, a number that is none and Hakone's. (The
  // cell's line break is a LF: a CR in a cell is kept by libxlsxwriter, not by write-excel-file.)
  const list = writeList("fields.csv", 30_000, "utf8");
  appendFileSync(list, '"佐藤, 花子","090-1234-5678\n0120-444-444",=1+1\r\nｶﾅ,03-3520-XXXX,\r\n箱根,0460-2-1234,x\r\n');
  const settled = () =>
    page.waitForFunction(() => document.getElementById("batch-message").dataset.state !== "running", {
      timeout: 120_000,
    });
  const nativeCsv = (fields) => runNative(KOBAL_LOOKUP, ["--column", "2", "--fields", fields.join(","), "--input", list]);
  const savedCsv = async () => {
    const [outcome, message] = await save("#records-csv");
    assert.equal(outcome, "done", message);
    const [written] = privateFiles(browser);
    const bytes = readFileSync(written);
    rmSync(written);
    return bytes;
  };

  const fields = ["formatted", "status", "kind", "prefecture", "carrier"]; // in the chooser's order
  await chooseFields(page, fields);
  await settled();
  assert.equal(await finishBatch(page, async () => (await page.$("#batch-file")).uploadFile(list)), "done");
  const heading = await page.$$eval("#records-table thead th", (cells) => cells.map((cell) => cell.textContent));
  assert.deepEqual(heading, ["氏名", "電話番号", "住所", ...fields.map((field) => `電話番号:${field}`)]);
  assert.deepEqual(await savedCsv(), nativeCsv(fields));

  const [outcome, message] = await save("#records-xlsx");
  assert.equal(outcome, "done", message);
  const native = join(work, "fields-native.xlsx");
  runNative(KOBAL_LOOKUP, ["--column", "2", "--fields", fields.join(","), "-f", "xlsx", "-o", native, "--input", list]);
  const [cells, widths] = workbookCells(await downloaded("fields-kobal.xlsx"));
  const [nativeCells, nativeWidths] = workbookCells(native);
  assert.equal(cells.length, 30_004);
  assert.deepEqual(cells, nativeCells);
  assert.deepEqual(widths.map(storedWidth), nativeWidths.map((width) => Math.round(width * 7) / 7));

  // Every field, ticked box by box while the list is being read again: the last choice wins.
  const all = ["input", "number", "formatted", "status", "kind", "prefecture", "place", "ma", "carrier", "region", "result"];
  await chooseFields(page, all);
  await settled();
  const shown = await shownRecords();
  assert.equal(shown[0].length, 3 + all.length);
  assert.deepEqual(await savedCsv(), nativeCsv(all));

  await chooseFields(page, FIRST_FIELDS);
  await settled();
  assert.deepEqual(await savedCsv(), runNative(KOBAL_LOOKUP, ["--column", "2", "--input", list]));
});

test("a UTF-16 list whose CSV would pass the download limit is refused before the work, with what to do", async () => {
  const list = writeList("customers.txt", 4_000_000, "utf16le");
  assert.equal(await finishBatch(page, async () => (await page.$("#batch-file")).uploadFile(list)), "done");
  assert.match(await page.$eval("#batch-message", (m) => m.textContent), /^4,000,000 件のレコード \(UTF-16LE, 「,」区切り\)。/);
  assert.equal((await shownRecords())[199][0], "顧客200");

  await page.evaluate(() => {
    window.showSaveFilePicker = undefined;
    window.progressSeen = false;
    const bar = document.getElementById("batch-progress");
    new MutationObserver(() => (window.progressSeen ||= !bar.hidden)).observe(bar, { attributes: true });
  });
  const [outcome, message] = await save("#records-csv");
  assert.equal(outcome, "refused", message);
  const size = Number(/^CSV は約 ([\d,]+) MB になり、/.exec(message)?.[1].replaceAll(",", ""));
  assert.ok(size > 480, message);
  assert.match(message, /480 MB を超えるため、保存しません。ファイルを分けて開くか、.*kobal-lookup を使ってください。$/);
  assert.equal(await page.evaluate(() => window.progressSeen), false, "refused before any work");
});

test("the engine's records reader writes the same CSV however the file is cut into pieces", async () => {
  const engine = await createKobal(readFileSync(join(WEB_BUILD, "kobal.wasm")));
  let text = "氏名,電話番号,備考\r\n";
  for (let i = 0; text.length < 60_000; i++)
    text += `顧客${i},${i % 3 ? `03-3520-${String(i % 10000).padStart(4, "0")}` : "＋８１ ９０ー１２３４"},"複数行の\r\n備考, ${i}"\r\n`;
  for (const encoding of ["CP932", "UTF-16"]) {
    const path = join(work, `pieces-${encoding}.csv`);
    writeFileSync(path, execFileSync("iconv", ["-f", "UTF-8", "-t", encoding], { input: text }));
    const bytes = readFileSync(path);
    const expected = runNative(KOBAL_LOOKUP, ["--column", "2", "--input", path]);
    // The first piece holds the file's first 64 KB, as the reader needs; then odd sizes that cut
    // characters, quoted cells and record ends.
    for (const size of [bytes.length, 1, 7, 4093]) {
      const reader = engine.recordsReader([1], "auto", { kept: 2, csv: "guarded" });
      const parts = [reader.feed(bytes.subarray(0, 1 << 16), false)];
      for (let at = 1 << 16; at < bytes.length; at += size)
        parts.push(reader.feed(bytes.subarray(at, at + size), at + size >= bytes.length));
      if (bytes.length <= 1 << 16) parts.push(reader.feed(bytes.subarray(0, 0), true));
      assert.deepEqual(Buffer.concat(parts), expected, `${encoding}, pieces of ${size}`);
      const read = reader.read();
      assert.equal(read.count, text.split("\r\n").length / 2, encoding); // each record two lines
      assert.equal(read.rows.length, 2);
    }
  }
});
