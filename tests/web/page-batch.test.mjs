// The batch view at its limits, in Debian's chromium: a 256 MB file of the benchmark's number
// mix (24 M lines) answered, saved through the save picker's streaming and held byte for byte
// against kobal-lookup; its table at either end and in the middle; saves refused or cancelled,
// and files refused, told and leaving the batch as it was. The page is served over HTTP, where
// the origin's private file system gives the picker a real file to write.
import assert from "node:assert/strict";
import { spawn } from "node:child_process";
import { createHash } from "node:crypto";
import { createReadStream, mkdtempSync, readFileSync, rmSync, statSync, truncateSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, describe, test } from "node:test";
import { answerSavePicker, chooseFields, finishBatch, openServedPage, privateFiles, saveAndWait } from "./browser.mjs";
import { KOBAL_LOOKUP, NATIVE_BUILD, sha256, SITE } from "./environment.mjs";

const INPUT_LIMIT = 256 << 20; // the page's limit, which the big file fills to the byte
const work = mkdtempSync(join(tmpdir(), "kobal-page-batch-"));
const mix = join(work, "mix.txt");
let browser;
let server;
let page;

// Runs `program`; its standard output as a stream of text.
function outputOf(program, args) {
  const child = spawn(program, args, { stdio: ["ignore", "pipe", "inherit"] });
  child.stdout.setEncoding("utf8");
  return child.stdout;
}

// The lines of a text stream, a chunk's worth at a time.
async function* linesOf(stream, separator) {
  let rest = "";
  for await (const chunk of stream) {
    const lines = (rest + chunk).split(separator);
    rest = lines.pop();
    yield lines;
  }
  if (rest !== "") yield [rest];
}

// The SHA-256 and size of the page's UTF-8 CSV of `path`, made from kobal-lookup's CSV (input
// and answer) and its JSON lines (the number).
async function expectedCsv(path) {
  const hash = createHash("sha256");
  let size = 0;
  const add = (text) => {
    const bytes = Buffer.from(text, "utf8");
    hash.update(bytes);
    size += bytes.length;
  };
  add("\ufeff入力,番号,結果\r\n");
  const records = linesOf(outputOf(KOBAL_LOOKUP, ["--format", "csv", "--input", path]), "\r\n");
  const numbers = linesOf(outputOf(KOBAL_LOOKUP, ["--format", "jsonl", "--input", path]), "\n");
  let pending = [];
  for await (const lines of records) {
    let text = "";
    for (const record of lines) {
      while (pending.length === 0) pending = (await numbers.next()).value.reverse();
      const { number } = JSON.parse(pending.pop());
      const comma = record.lastIndexOf(",");
      text += `${record.slice(0, comma)},${number ?? ""}${record.slice(comma)}\r\n`;
    }
    add(text);
  }
  return { hash: hash.digest("hex"), size };
}

// What the page shows of the batch table: the rows in view (under the sticky header) with their
// aria-rowindex and line number, and the table's size.
const tableInView = () =>
  page.evaluate(async () => {
    await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
    const view = document.getElementById("batch-table");
    const top = view.querySelector("th").getBoundingClientRect().bottom; // the sticky header, not its row group
    const bottom = view.getBoundingClientRect().top + view.clientHeight;
    const rows = [...view.querySelectorAll("tbody tr:not(.spacer)")].filter((row) => {
      const box = row.getBoundingClientRect();
      return box.bottom > top + 1 && box.top < bottom - 1;
    });
    return {
      rows: rows.map((row) => [Number(row.getAttribute("aria-rowindex")), Number(row.cells[0].textContent)]),
      firstInput: rows[0]?.cells[1].textContent,
      rowCount: Number(view.querySelector("table").getAttribute("aria-rowcount")),
      spacersHidden: [...view.querySelectorAll("tr.spacer")].every((row) => row.ariaHidden === "true"),
      scrollHeight: view.scrollHeight,
      scrollEnd: view.scrollHeight - view.clientHeight,
    };
  });

const save = (button) => saveAndWait(page, button);

before(async () => {
  // The benchmark's mix, cut at 256 MB exactly (its last line without LF).
  const numbers = spawn(join(NATIVE_BUILD, "bench/kobal-bench-numbers"), ["26000000"]);
  const chunks = [];
  let size = 0;
  for await (const chunk of numbers.stdout) {
    chunks.push(chunk);
    size += chunk.length;
    if (size >= INPUT_LIMIT) break;
  }
  numbers.kill();
  writeFileSync(mix, Buffer.concat(chunks).subarray(0, INPUT_LIMIT));

  ({ server, browser, page } = await openServedPage(SITE, { width: 1000, height: 900 }));
});

after(async () => {
  await browser?.close();
  server?.close();
  rmSync(work, { recursive: true, force: true });
});

describe("a 256 MB batch of 24 M lines", () => {
  let lineCount;

  test("answered, announced at its start and end only, and streamed into the chosen file as kobal-lookup answers", async () => {
    await page.evaluate(() => {
      window.announced = [];
      const message = document.getElementById("batch-message");
      new MutationObserver(() => window.announced.push(message.textContent)).observe(message, {
        childList: true,
        characterData: true,
        subtree: true,
      });
    });
    const expected = expectedCsv(mix); // kobal-lookup works beside the page
    assert.equal(await finishBatch(page, async () => (await page.$("#batch-file")).uploadFile(mix)), "done");
    const announced = await page.evaluate(() => window.announced);
    assert.equal(announced.length, 2, announced.join(" / "));
    assert.match(announced[0], /^mix\.txt を読み込み中/);
    const count = /^mix\.txt の ([\d,]+) 行 \(UTF-8\)/.exec(announced[1]);
    assert.ok(count, announced[1]);
    lineCount = Number(count[1].replaceAll(",", ""));
    assert.ok(lineCount > 24e6, `${lineCount} lines`);

    await answerSavePicker(page);
    // The first batch view's fields, whose CSV kobal-lookup's output makes.
    await chooseFields(page, ["input", "number", "result"]);
    const [outcome, message] = await save("#csv-utf8");
    await chooseFields(page, ["input", "number", "formatted", "kind", "prefecture", "result"]);
    assert.equal(outcome, "done", message);
    assert.equal(await page.evaluate(() => window.suggestedName), "mix-kobal.csv");
    const { hash, size } = await expected;
    const megabytes = Math.ceil(size / 2 ** 20).toLocaleString("en-US");
    assert.match(message, new RegExp(`^mix-kobal\\.csv \\(${megabytes} MB\\) を保存しました`));
    const written = privateFiles(browser).filter((path) => statSync(path).size === size);
    assert.equal(written.length, 1, `a file of ${size} bytes`);
    assert.equal(await sha256(createReadStream(written[0])), hash);
    rmSync(written[0]);
  });

  test("the table: End shows the last row, Home the first, the middle its own rows, aria indexes throughout", async () => {
    assert.ok(lineCount, "the batch is shown");
    await page.focus("#batch-table");
    await page.keyboard.press("End");
    const end = await tableInView();
    assert.equal(end.rowCount, lineCount + 1);
    assert.deepEqual(end.rows.at(-1), [lineCount + 1, lineCount]);
    assert.ok(end.spacersHidden);
    const page1 = end.rows.length;
    assert.ok(page1 >= 10, `${page1} rows in view`);

    // Scrolling on down, as a wheel does at the end, grows nothing.
    await page.$eval("#batch-table", (view) => (view.scrollTop += 5000));
    assert.equal((await tableInView()).scrollHeight, end.scrollHeight);

    await page.keyboard.press("Home");
    const home = await tableInView();
    assert.deepEqual(home.rows[0], [2, 1]);
    await page.keyboard.press("PageDown");
    const next = (await tableInView()).rows[0][1];
    assert.ok(next > 1 && next <= page1, `PageDown to row ${next}`);

    // Dragged to the middle: rows around the middle line, consecutive, the first the file's line.
    await page.$eval("#batch-table", (view) => (view.scrollTop = (view.scrollHeight - view.clientHeight) / 2));
    const middle = await tableInView();
    const [index, line] = middle.rows[0];
    assert.equal(index, line + 1);
    assert.ok(Math.abs(line - lineCount / 2) < lineCount / middle.scrollEnd + page1, `row ${line}`);
    middle.rows.forEach(([, number], i) => assert.equal(number, line + i));
    assert.equal(middle.firstInput, lineOf(mix, line));
  });

  test("refused: a file over the limit leaves the table and its buttons; a download too big for the browser, before any work", async () => {
    assert.ok(lineCount, "the batch is shown");
    const huge = join(work, "huge.txt");
    writeFileSync(huge, "");
    truncateSync(huge, 300 << 20);
    assert.equal(await finishBatch(page, async () => (await page.$("#batch-file")).uploadFile(huge)), "failed");
    const kept = await page.evaluate(() => ({
      message: document.getElementById("batch-message").textContent,
      rowCount: Number(document.querySelector("#batch-table table").getAttribute("aria-rowcount")),
      buttons: [...document.querySelectorAll("#csv-utf8, #csv-shift-jis")].map((button) => button.disabled),
    }));
    assert.match(kept.message, /huge\.txt は大きすぎます \(256 MB まで\)/);
    assert.deepEqual([kept.rowCount, kept.buttons], [lineCount + 1, [false, false]]);

    await page.evaluate(() => {
      window.showSaveFilePicker = async () => {
        throw new DOMException("The user aborted a request.", "AbortError");
      };
    });
    assert.deepEqual(await save("#csv-shift-jis"), ["cancelled", "CSV の保存を取り消しました。"]);

    // Without the picker the CSV would be a download of over a gigabyte.
    await answerSavePicker(page, false);
    const [outcome, message] = await save("#csv-utf8");
    assert.equal(outcome, "refused");
    assert.match(message, /^CSV は約 [\d,]+ MB になり、.*480 MB を超えるため、保存しません。/);
    assert.match(message, /ファイルを分けて開くか、.*kobal-lookup を使ってください。$/);
  });
});

test("a paste of 40 M characters is answered without going into the text area; its CSV is kobal-sjis.csv", async () => {
  const state = await finishBatch(page, () =>
    page.evaluate(() => {
      const pasted = new DataTransfer();
      pasted.setData("text/plain", "117\n".repeat(10_000_000));
      const area = document.getElementById("batch-text");
      area.focus();
      area.dispatchEvent(new ClipboardEvent("paste", { clipboardData: pasted, bubbles: true, cancelable: true }));
    }),
  );
  assert.equal(state, "done");
  const shown = await page.evaluate(() => ({
    message: document.getElementById("batch-message").textContent,
    area: document.getElementById("batch-text").value,
  }));
  assert.match(shown.message, /^10,000,000 行 \(UTF-8\)/);
  assert.equal(shown.area, "");
  await page.focus("#batch-table");
  await page.keyboard.press("End");
  assert.deepEqual((await tableInView()).rows.at(-1), [10_000_001, 10_000_000]);

  await page.evaluate(() => {
    window.showSaveFilePicker = async ({ suggestedName }) => {
      window.suggestedName = suggestedName;
      throw new DOMException("The user aborted a request.", "AbortError");
    };
  });
  assert.equal((await save("#csv-shift-jis"))[0], "cancelled");
  assert.equal(await page.evaluate(() => window.suggestedName), "kobal-sjis.csv");
});

test("on a 390 px phone the table scrolls sideways to whole fields and answers, the row numbers staying in view", async () => {
  await page.setViewport({ width: 390, height: 844, isMobile: true, hasTouch: true });
  const lines = ["0112012345", "090-1201-2345", "ダイヤルQ2 0990-123-456", "０３－３５２０－１２３４"];
  await page.$eval("#batch-text", (area, text) => (area.value = text), lines.join("\n"));
  assert.equal(await finishBatch(page, () => page.click("#batch-run")), "done");
  const seen = await page.evaluate(async () => {
    const view = document.getElementById("batch-table");
    view.scrollLeft = view.scrollWidth;
    await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
    const box = view.getBoundingClientRect();
    const rows = [...view.querySelectorAll("tbody tr:not(.spacer)")];
    return {
      scrolled: view.scrollLeft > 0,
      numbersInView: rows.every((row) => Math.abs(row.cells[0].getBoundingClientRect().left - box.left) < 2),
      // Every field shown whole, the answer last.
      answersWhole: rows.flatMap((row) => [...row.cells]).filter((cell) => cell.scrollWidth > cell.clientWidth).length,
      answersInView: rows.every((row) => row.cells[row.cells.length - 1].getBoundingClientRect().right <= box.right + 1),
    };
  });
  assert.deepEqual(seen, { scrolled: true, numbersInView: true, answersWhole: 0, answersInView: true });
  await page.setViewport({ width: 1000, height: 900 });
});

// Line `number` (from 1) of the file at `path`.
function lineOf(path, number) {
  const bytes = readFileSync(path);
  let start = 0;
  for (let line = 1; line < number; line++) start = bytes.indexOf(10, start) + 1;
  const end = bytes.indexOf(10, start);
  return bytes.toString("utf8", start, end === -1 ? bytes.length : end);
}
