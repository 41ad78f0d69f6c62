// The page in Debian's chromium, headless, driven as a user would: from file:// and from a
// static web server. Answers are checked against the native kobal-lookup on the same input.
import assert from "node:assert/strict";
import { spawn, execFileSync } from "node:child_process";
import { once } from "node:events";
import { createServer } from "node:http";
import { mkdtempSync, readdirSync, readFileSync, rmSync, truncateSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, describe, test } from "node:test";
import { pathToFileURL } from "node:url";
import { gzipSync } from "node:zlib";
import { chooseFields, finishBatch, launchBrowser, pasteText, titleOfTabOpenedBy } from "./browser.mjs";
import {
  KOBAL_LOOKUP,
  REPOSITORY,
  SITE,
  WEB_BUILD,
  importModule,
  readFieldsTable,
  runNative,
} from "./environment.mjs";

const kobal = await importModule();

const work = mkdtempSync(join(tmpdir(), "kobal-page-"));
let browser;
let server; // python3 -m http.server over the build: the site, and the module beside it
let serverUrl;
let outside; // a server the page must never reach
let outsideHits = 0;

before(async () => {
  browser = await launchBrowser();
  server = spawn(
    "python3",
    ["-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory", WEB_BUILD],
    {
      stdio: ["ignore", "pipe", "ignore"],
    },
  );
  const [banner] = await once(server.stdout, "data");
  serverUrl = `http://127.0.0.1:${/port (\d+)/.exec(banner.toString())[1]}/site/index.html`;
  outside = createServer((request, response) => {
    outsideHits++;
    response.end("reached");
  });
  outside.listen(0, "127.0.0.1");
  await once(outside, "listening");
});

after(async () => {
  await browser?.close();
  server?.kill();
  outside?.close();
  rmSync(work, { recursive: true, force: true });
});

const FILE_URL = pathToFileURL(join(SITE, "index.html")).href;

// A fresh page at `url`, ready to search; every request it makes is kept in page.requests.
async function openPage(url) {
  const page = await browser.newPage();
  page.requests = [];
  page.errors = [];
  page.on("request", (request) => page.requests.push(request.url()));
  page.on("pageerror", (error) => page.errors.push(error.message));
  await page.setViewport({ width: 1000, height: 900 });
  await page.goto(url);
  await page.waitForSelector("html[data-ready]");
  return page;
}

// kobal-lookup's records for `input` (read as it reads a file): { input, number, result }.
function lookup(input) {
  return runNative(KOBAL_LOOKUP, ["--format", "jsonl", "--input", "-"], input)
    .toString("utf8")
    .split("\n")
    .filter(Boolean)
    .map((record) => JSON.parse(record));
}


const pasteBatch = (page, text) =>
  finishBatch(page, async () => {
    await page.$eval("#batch-text", (area) => {
      area.value = "";
      area.focus();
    });
    await page.keyboard.sendCharacter(text); // inserts the text as a paste does
    await page.click("#batch-run");
  });

// A CSV field as the page and kobal-lookup write it: quoted when it must be, and a cell that a
// spreadsheet would evaluate made text with a leading apostrophe.
const csvField = (value) =>
  /^[=+\-@\t\r]/.test(value)
    ? `"'${value.replaceAll('"', '""')}"`
    : /[",\r\n]/.test(value)
      ? `"${value.replaceAll('"', '""')}"`
      : value;

const openBatchFile = (page, path) =>
  finishBatch(page, async () => {
    const input = await page.$("#batch-file");
    await input.uploadFile(path);
  });

// Every row of the table, read by scrolling it from top to bottom as a user would.
const readTable = (page) =>
  page.evaluate(async () => {
    const view = document.getElementById("batch-table");
    const rows = new Map();
    const frame = () => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
    for (let top = 0; ; top += Math.max(1, Math.floor(view.clientHeight / 2))) {
      view.scrollTop = top;
      await frame();
      for (const row of view.querySelectorAll("tbody tr:not(.spacer)")) {
        const cells = [...row.cells].map((cell) => cell.textContent);
        rows.set(Number(cells[0]), cells.slice(1));
      }
      if (view.scrollTop + view.clientHeight >= view.scrollHeight - 1) break;
    }
    return [...rows.entries()].sort((a, b) => a[0] - b[0]);
  });

// Holds the table, its fields as they are first chosen (input, number, formatted, kind,
// prefecture, result), against kobal-lookup's records and the module's fields of each input: one
// row per line, in order. A cell shows the first 200 characters of a longer input and an ellipsis.
function assertRowsMatch(rows, records) {
  assert.equal(rows.length, records.length, "one row per input line");
  rows.forEach(([line, cells], index) => {
    const record = records[index];
    const shown = record.input.length > 200 ? `${record.input.slice(0, 200)}…` : record.input;
    const { formatted, kind, prefecture } = kobal.parse(record.input);
    assert.equal(line, index + 1);
    assert.deepEqual(
      cells,
      [shown, record.number ?? "", formatted ?? "", kind ?? "", prefecture ?? "", record.result],
      `line ${line}`,
    );
  });
}

async function search(page, keys) {
  await page.click("#number", { clickCount: 3 });
  await page.keyboard.type(keys);
  await page.keyboard.press("Enter");
  return page.$eval("#result", (result) => result.value);
}

for (const [where, url] of [
  ["file://", () => FILE_URL],
  ["a static web server", () => serverUrl],
]) {
  describe(`the page opened from ${where}`, () => {
    let page;
    before(async () => {
      page = await openPage(url());
    });
    after(() => page.close());

    test("type a number, press Enter: the answer in the result line, the number selected again", async () => {
      assert.equal(
        await page.evaluate(() => document.activeElement.id),
        "number",
        "the number field has the focus",
      );
      assert.equal(await search(page, "0112012345"), "NTT固定（北海道札幌大通）");
      const state = await page.evaluate(() => {
        const number = document.getElementById("number");
        const result = document.getElementById("result");
        return {
          focus: document.activeElement.id,
          selected: [number.selectionStart, number.selectionEnd, number.value.length],
          readOnly: result.readOnly,
          align: getComputedStyle(result).textAlign,
        };
      });
      assert.deepEqual(state, { focus: "number", selected: [0, 10, 10], readOnly: true, align: "center" });
      await page.keyboard.type("117"); // the selection is replaced
      await page.keyboard.press("Enter");
      assert.equal(await page.$eval("#result", (result) => result.value), "時報");
    });

    test("written forms pasted into the number field are answered as kobal-lookup answers them", async () => {
      const forms = [
        "03-3520-1234",
        "+81 90 1201 2345",
        "（０１２０）１２３－４５６",
        "090.1201.2345",
        "not a number",
        "",
      ];
      const expected = lookup(forms.join("\n") + "\n").map((record) => record.result);
      const answers = [];
      for (const form of forms) {
        await page.$eval("#number", (number) => (number.value = ""));
        await pasteText(page, form); // what is not one number leaves the field empty
        await page.keyboard.press("Enter");
        answers.push(await page.$eval("#result", (result) => result.value));
      }
      assert.deepEqual(answers, expected);
    });

    test("a batch of 1,000 pasted lines: every row as kobal-lookup has it", async () => {
      const lines = [];
      let seed = 20000401;
      const random = (n) => {
        seed = (Math.imul(seed, 1103515245) + 12345) >>> 0;
        return seed % n;
      };
      const digits = (count) => Array.from({ length: count }, () => random(10)).join("");
      const shapes = [
        () => `0${1 + random(9)}${digits(8)}`,
        () => `0${1 + random(9)}-${digits(4)}-${digits(4)}`,
        () => `090${digits(8)}`,
        () => `070-${digits(4)}-${digits(4)}`,
        () => `+81 ${1 + random(9)} ${digits(4)} ${digits(4)}`,
        () => `0120${digits(6)}`,
        () => digits(3),
        () => `０${digits(9).replace(/\d/g, (d) => String.fromCharCode(0xff10 + Number(d)))}`,
        () => ["", "abc", "03-3520-1234 内線 12", "TEL: 011-201-2345", "0460212345", "ダイヤル"][random(6)],
      ];
      for (let i = 0; i < 1000; i++) lines.push(shapes[random(shapes.length)]());
      const text = lines.join("\n") + "\n";
      assert.equal(await pasteBatch(page, text), "done");
      assertRowsMatch(await readTable(page), lookup(text));
    });

    test("バージョン情報 shows the window's About text; OK closes it", async () => {
      await page.click("#about-command");
      const shown = await page.$eval("#about-box", (box) => ({
        open: box.open,
        text: box.querySelector("#about-text").textContent,
      }));
      const version = /project\(Kobal VERSION (\d+)\.(\d+)\.(\d+)/.exec(
        readFileSync(join(REPOSITORY, "CMakeLists.txt"), "utf8"),
      );
      const versionText = version[3] === "0" ? `${version[1]}.${version[2]}` : version.slice(1, 4).join(".");
      assert.equal(shown.open, true);
      assert.match(
        shown.text,
        new RegExp(
          `^端末情報調査ツール\\n-{32}\\nコバル Version ${versionText.replaceAll(".", "\\.")}\\n\\n[^\\n]*20\\d\\d[^\\n]*\\n$`,
        ),
      );
      await page.keyboard.press("Enter"); // OK has the focus
      assert.equal(await page.$eval("#about-box", (box) => box.open), false);
    });

    test("ヘルプ and F1 open the page's own help that the build copied from web/help", async () => {
      const href = await page.$eval("#help-command", (link) => link.href);
      const opened = (action) => titleOfTabOpenedBy(browser, href, action);
      const title = "コバル (Kobal) ヘルプ — Web 版";
      assert.equal(await opened(() => page.click("#help-command")), title);
      await page.focus("#number");
      assert.equal(await opened(() => page.keyboard.press("F1")), title);
      assert.deepEqual(
        readFileSync(join(SITE, "help/index.html")),
        readFileSync(join(REPOSITORY, "web/help/index.html")),
      );
    });

    test("the page's script is one bundle that leaves no globals behind", async () => {
      // The same page with its script not run, for what the browser itself defines.
      const unscripted = await browser.newPage();
      await unscripted.setJavaScriptEnabled(false);
      await unscripted.goto(page.url());
      // puppeteer's own bindings (its ARIA queries) come and go with the tests that query.
      const globalsOf = async (tab) =>
        (await tab.evaluate(() => Object.getOwnPropertyNames(window))).filter(
          (name) => !/^(puppeteer_)?__ariaQuerySelector/.test(name),
        );
      const before = new Set(await globalsOf(unscripted));
      await unscripted.close();
      assert.deepEqual((await globalsOf(page)).filter((name) => !before.has(name)), []);
      const scripts = await page.$$eval("script", (all) => all.map((script) => [script.src, script.type]));
      assert.deepEqual(scripts, [[new URL("page/kobal-page.js", page.url()).href, ""]]);
    });

    test("nothing leaves the page: requests go to its own files only, others are refused", async () => {
      const probe = `http://127.0.0.1:${outside.address().port}/`;
      const refused = await page.evaluate(async (probe) => {
        const outcomes = [];
        try {
          await fetch(probe);
          outcomes.push("fetch reached");
        } catch {
          outcomes.push("fetch refused");
        }
        const image = new Image();
        image.src = `${probe}image.png`;
        outcomes.push(
          await new Promise((resolve) => {
            image.onload = () => resolve("image reached");
            image.onerror = () => resolve("image refused");
          }),
        );
        return outcomes;
      }, probe);
      assert.deepEqual(refused, ["fetch refused", "image refused"]);
      assert.equal(outsideHits, 0, "the outside server saw no request");
      // Requests the page made, other than the refused ones: its own files and its embedded
      // icon only.
      const base = new URL(".", page.url()).href;
      const foreign = page.requests.filter(
        (request) =>
          !request.startsWith(base) && !request.startsWith(probe) && !request.startsWith("data:"),
      );
      assert.deepEqual(foreign, []);
      assert.deepEqual(page.errors, []);
    });

    if (where !== "file://") {
      test("the kobal ES module imports in the browser and answers", async () => {
        const answers = await page.evaluate(async () => {
          const kobal = await import("../module/kobal.js");
          return [
            kobal.detectCarrier("0112012345"),
            kobal.normalise("+81 90-1201-2345"),
            [...kobal.detectCarrierBytes("117")],
          ];
        });
        assert.deepEqual(answers, ["NTT固定（北海道札幌大通）", "09012012345", [0x8e, 0x9e, 0x95, 0xf1]]);
      });
    }
  });
}

test("the page's files come to at most 300 KB, each gzip-compressed as a server sends it", () => {
  const files = (folder) =>
    readdirSync(folder, { withFileTypes: true }).flatMap((entry) =>
      entry.isDirectory() ? files(join(folder, entry.name)) : [join(folder, entry.name)],
    );
  const total = files(SITE).reduce((sum, path) => sum + gzipSync(readFileSync(path), { level: 9 }).length, 0);
  assert.ok(total <= 300 * 1024, `${total} bytes`);
});

describe("the page from file://: files, CSV, keyboard and bad input", () => {
  let page;
  let downloads;
  before(async () => {
    page = await openPage(FILE_URL);
    // The CSV goes through the browser's downloads, as where there is no save picker (the
    // picker's streaming is page-batch.test.mjs's).
    await page.evaluateOnNewDocument(() => {
      window.showSaveFilePicker = undefined;
    });
    await page.reload();
    await page.waitForSelector("html[data-ready]");
    downloads = mkdtempSync(join(work, "downloads-"));
    const session = await page.createCDPSession();
    await session.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: downloads });
  });
  after(() => page.close());

  // Clicks a CSV button; resolves to the file it downloaded: { name, bytes }.
  const download = async (button) => {
    for (const name of readdirSync(downloads)) rmSync(join(downloads, name));
    await page.click(button);
    for (let i = 0; i < 300; i++) {
      const done = readdirSync(downloads).filter((name) => !name.endsWith(".crdownload"));
      if (done.length === 1) return { name: done[0], bytes: readFileSync(join(downloads, done[0])) };
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
    throw new Error(`no download from ${button} in 30 s; the download folder holds: ${readdirSync(downloads).join(", ") || "nothing"}`);
  };

  const lines = [
    "0112012345",
    "03-3520-1234",
    "０９０－１２０１－２３４５",
    "東京 03〜3520〜1234",
    "+81 (0)6 1234 5678",
    "117",
    "ｶﾀｶﾅ",
    "〜 ¢ £ ¬ ‖ −",
    "",
    "0120-12-3456",
    "ダイヤルQ2 0990-123-456",
  ];

  test("a Shift-JIS file, a UTF-16 file and a mixed file read as kobal-lookup reads them", async () => {
    const utf8 = lines.join("\r\n") + "\r\n";
    const shiftJis = execFileSync("iconv", ["-f", "UTF-8", "-t", "CP932"], { input: utf8 });
    const utf16 = Buffer.concat([Buffer.from([0xff, 0xfe]), Buffer.from(utf8, "utf16le")]);
    // Lines of both encodings; U+FFFD written in UTF-8 is valid UTF-8, beside a Shift-JIS lead byte not.
    const toCp932 = (text) => execFileSync("iconv", ["-f", "UTF-8", "-t", "CP932"], { input: text });
    const mixed = Buffer.concat([
      Buffer.from("０３－３５２０－１２３４\n０３\ufffd３５２０\n"),
      toCp932("０１１－２０１－２３４５\n"),
      Buffer.from("\ufffd"),
      toCp932("東京 117\n"),
    ]);
    for (const [name, bytes, encoding] of [
      ["sjis.txt", shiftJis, "Shift-JIS"],
      ["utf16.txt", utf16, "UTF-16LE"],
      ["mixed.txt", mixed, "UTF-8、一部の行は Shift-JIS"],
    ]) {
      const path = join(work, name);
      writeFileSync(path, bytes);
      assert.equal(await openBatchFile(page, path), "done");
      assert.match(
        await page.$eval("#batch-message", (message) => message.textContent),
        new RegExp(`\\(${encoding}\\)`),
      );
      assertRowsMatch(await readTable(page), lookup(bytes));
    }
  });

  test("the CSV downloads with the first view's fields: UTF-8 with a BOM, and Shift-JIS with kobal-lookup's bytes", async () => {
    const text = lines.join("\n") + "\n";
    const path = join(work, "numbers.txt");
    writeFileSync(path, text);
    assert.equal(await openBatchFile(page, path), "done");
    assert.deepEqual(await chooseFields(page, ["input", "number", "result"]), ["行", "入力", "番号", "結果"]);
    const records = lookup(text);
    const field = csvField;
    const expectedUtf8 =
      "\ufeff入力,番号,結果\r\n" +
      records.map((r) => `${field(r.input)},${r.number ?? ""},${r.result}\r\n`).join("");
    const utf8 = await download("#csv-utf8");
    assert.equal(utf8.name, "numbers-kobal.csv");
    assert.equal(utf8.bytes.toString("utf8"), expectedUtf8);
    assert.deepEqual([...utf8.bytes.subarray(0, 3)], [0xef, 0xbb, 0xbf]);

    // kobal-lookup's Shift-JIS CSV has the input and the answer; the page adds the number.
    const native = runNative(KOBAL_LOOKUP, ["--format", "csv", "--encoding", "shift_jis", "--input", path]);
    const nativeRecords = native.toString("latin1").split("\r\n").slice(0, -1);
    const header = execFileSync("iconv", ["-f", "UTF-8", "-t", "CP932"], { input: "入力,番号,結果\r\n" });
    const expectedShiftJis = Buffer.concat([
      header,
      ...nativeRecords.map((record, i) => {
        const comma = record.lastIndexOf(",");
        return Buffer.from(
          `${record.slice(0, comma)},${records[i].number ?? ""},${record.slice(comma + 1)}\r\n`,
          "latin1",
        );
      }),
    ]);
    const shiftJis = await download("#csv-shift-jis");
    assert.equal(shiftJis.name, "numbers-kobal-sjis.csv");
    assert.deepEqual(shiftJis.bytes, expectedShiftJis);
    await chooseFields(page, ["input", "number", "formatted", "kind", "prefecture", "result"]);
  });

  test("the shared table of fields in the batch: shown and saved with the fields chosen", async () => {
    const { names, rows } = readFieldsTable();
    assert.equal(await pasteBatch(page, rows.map((row) => row.input).join("\n") + "\n"), "done");
    const labels = ["行", "入力", "番号", "表記", "種別", "都道府県", "結果"];
    assert.deepEqual(await page.$$eval("#batch-table th", (th) => th.map((heading) => heading.textContent)), labels);
    const cellsOf = (fields) => rows.map((row, i) => [i + 1, fields.map((field) => row[field])]);
    const shown = ["input", "number", "formatted", "kind", "prefecture", "result"];
    assert.deepEqual(await readTable(page), cellsOf(shown));

    // Every field, in kobal-lookup's order, in the table and in the CSV.
    assert.equal((await chooseFields(page, names)).length, 1 + names.length);
    assert.deepEqual(await readTable(page), cellsOf(names));
    // Digits and the library's answer go as they are; the rest as cells a spreadsheet keeps as text.
    const cell = (field, value) => (field === "number" || field === "result" ? value : csvField(value));
    const csvOf = (fields, header) =>
      header + "\r\n" + rows.map((row) => fields.map((field) => cell(field, row[field])).join(",") + "\r\n").join("");
    const all = csvOf(names, "入力,番号,表記,状態,種別,都道府県,地域,単位料金区域,事業者,地方,結果");
    assert.equal((await download("#csv-utf8")).bytes.toString("utf8"), "\ufeff" + all);
    const toCp932 = (text) => execFileSync("iconv", ["-f", "UTF-8", "-t", "CP932"], { input: text });
    assert.deepEqual((await download("#csv-shift-jis")).bytes, toCp932(all));

    // Two fields: the CSV holds those alone.
    assert.deepEqual(await chooseFields(page, ["prefecture", "formatted"]), ["行", "表記", "都道府県"]);
    const two = (await download("#csv-utf8")).bytes.toString("utf8");
    assert.equal(two, "\ufeff" + csvOf(["formatted", "prefecture"], "表記,都道府県"));
    await chooseFields(page, shown);
  });

  test("a customer list: the telephone column answered in place, saved as kobal-lookup writes it and as a workbook", async () => {
    const customers =
      "氏名,フリガナ,電話番号,FAX\r\n" +
      '"佐藤, 花子",サトウ,03-3520-1234,0335201235\r\n' +
      '=1+1,イチ,"090-1234-5678\r\n0120-444-444",\r\n' +
      "鈴木,スズキ,03-3520-XXXX,0999999999\r\n";
    const exports = {
      "顧客一覧.csv": execFileSync("iconv", ["-f", "UTF-8", "-t", "CP932"], { input: customers }),
      "顧客一覧.txt": Buffer.concat([
        Buffer.from([0xff, 0xfe]),
        Buffer.from(customers.replaceAll(",", "\t").replace("佐藤\t 花子", "佐藤, 花子"), "utf16le"),
      ]),
    };
    for (const [name, bytes] of Object.entries(exports)) {
      const path = join(work, name);
      writeFileSync(path, bytes);
      assert.equal(await openBatchFile(page, path), "done", name);
      const shown = await page.evaluate(() => ({
        column: document.getElementById("records-column").selectedOptions[0].textContent,
        lineTableHidden: document.getElementById("batch-lines").hidden,
        rows: [...document.querySelectorAll("#records-table tbody tr")].map((row) =>
          [...row.cells].map((cell) => cell.textContent),
        ),
      }));
      assert.equal(shown.column, "電話番号");
      assert.equal(shown.lineTableHidden, true);
      assert.deepEqual(shown.rows[0].slice(4), ["0335201234", "number", "NTT固定（東京都新有明）"]);
      assert.deepEqual(shown.rows[2].slice(5), ["not-a-number", "不明"]);
      // The same reader as kobal-lookup: the same bytes, in the file's own form.
      const csv = await download("#records-csv");
      assert.equal(csv.name, name.replace(".", "-kobal."));
      assert.deepEqual(csv.bytes, runNative(KOBAL_LOOKUP, ["--column", "3", "--input", path]));
      const book = await download("#records-xlsx");
      assert.equal(book.name, name.replace(/\..*$/, "-kobal.xlsx"));
      const bookPath = join(work, "book.xlsx");
      writeFileSync(bookPath, book.bytes);
      const cells = JSON.parse(
        execFileSync("/usr/bin/python3", [
          "-c",
          "import json, sys, openpyxl\n" +
            "sheet = openpyxl.load_workbook(sys.argv[1]).active\n" +
            "print(json.dumps([[[c.value, c.data_type, c.font.b] for c in row] for row in sheet.iter_rows()]))",
          bookPath,
        ]).toString(),
      );
      assert.deepEqual(cells[0][2], ["電話番号", "s", true]);
      assert.deepEqual(cells[1][3], ["0335201235", "s", false]); // the leading zero kept
      assert.deepEqual(cells[2][0], ["=1+1", "s", false]); // text, never a formula
    }
  });

  test("the batch view answers every key as kobal-lookup does, checked through its CSV", async () => {
    const pad = (value, width) => String(value).padStart(width, "0");
    const keys = Array.from({ length: 1000 }, (_, value) => pad(value, 3));
    for (const prefix of ["070", "090"])
      for (let block = 0; block < 1000; block++) keys.push(`${prefix}${pad(block, 3)}12345`);
    for (let group = 1; group <= 9; group++)
      for (let key = 0; key < 10000; key++) keys.push(`0${group}${pad(key, 4)}5678`);
    const path = join(work, "every-key.txt");
    writeFileSync(path, keys.join("\n") + "\n");
    assert.equal(await openBatchFile(page, path), "done");
    const rows = (await download("#csv-utf8")).bytes.toString("utf8").split("\r\n").slice(1, -1);
    // The fields first chosen: kobal-lookup's input, number and result, the module's others.
    const records = lookup(readFileSync(path));
    const fields = kobal.parseMany(records.map((r) => r.input));
    const expected = records.map(({ input, number, result }, i) => {
      const { formatted, kind, prefecture } = fields[i];
      return [input, number, formatted, kind, prefecture].map((value) => value ?? "").join(",") + `,${result}`;
    });
    assert.equal(rows.length, keys.length);
    const differences = rows.flatMap((row, i) => (row === expected[i] ? [] : [`${row} / ${expected[i]}`]));
    assert.deepEqual(differences.slice(0, 20), [], `${differences.length} rows differ`);
  });

  test("lines across the engine's blocks of half a megabyte: CRLF, empty lines, a long line, no last LF", async () => {
    const part = lines.join("\r\n") + "\r\n\n\r\n";
    const text =
      part.repeat(Math.ceil((700 << 10) / Buffer.byteLength(part))) +
      "0112012345 x ".repeat(48 << 10) + // one line of 600 KB, running past the next block's end
      "\n" +
      part.repeat(3000) +
      "117";
    const path = join(work, "blocks.txt");
    writeFileSync(path, text);
    assert.equal(await openBatchFile(page, path), "done");
    const field = csvField;
    const records = lookup(text);
    const fields = kobal.parseMany(records.map((r) => r.input));
    const expected = records.map(({ input, number, result }, i) => {
      const { formatted, kind, prefecture } = fields[i];
      const cells = [formatted, kind, prefecture].map((value) => field(value ?? ""));
      return `${field(input)},${number ?? ""},${cells.join(",")},${result}`;
    });
    const csv = (await download("#csv-utf8")).bytes.toString("utf8");
    const rows = csv.split("\r\n").slice(1, -1);
    assert.equal(rows.length, expected.length);
    const differences = rows.flatMap((row, i) =>
      row === expected[i] ? [] : [`line ${i + 1}: …${row.slice(-80)} / …${expected[i].slice(-80)}`],
    );
    assert.deepEqual(differences.slice(0, 20), [], `${differences.length} rows differ`);
  });

  test("keyboard only: Tab order, Enter on 検索 and in the result line, Alt+S, the About box", async () => {
    await page.reload();
    await page.waitForSelector("html[data-ready]");
    const focused = () => page.evaluate(() => document.activeElement.id);
    assert.equal(await focused(), "number");
    await page.keyboard.type("0990123456");
    const order = [];
    const { names } = readFieldsTable();
    for (let i = 0; i < 6 + names.length; i++) {
      await page.keyboard.press("Tab");
      order.push(await focused());
    }
    assert.deepEqual(order, [
      "search",
      "result",
      "batch-text",
      "batch-run",
      "batch-file",
      ...names.map((name) => `field-${name}`),
      "batch-table",
    ]);
    await page.focus("#search");
    await page.keyboard.press("Enter");
    assert.equal(await page.$eval("#result", (result) => result.value), "ダイヤルQ2");
    assert.equal(await focused(), "number");
    await page.keyboard.type("117");
    await page.keyboard.down("Shift");
    await page.keyboard.press("Tab");
    await page.keyboard.up("Shift");
    assert.equal(await focused(), "about-command", "backwards from the number field: the menu");
    await page.keyboard.press("Enter");
    assert.equal(await page.$eval("#about-box", (box) => box.open), true);
    await page.keyboard.press("Escape");
    assert.equal(await page.$eval("#about-box", (box) => box.open), false);
    await page.focus("#result");
    await page.keyboard.press("Enter");
    assert.equal(
      await page.$eval("#result", (result) => result.value),
      "時報",
      "Enter in the result line searches",
    );
    await page.keyboard.type("110");
    await page.keyboard.down("Alt");
    await page.keyboard.press("s");
    await page.keyboard.up("Alt");
    assert.equal(
      await page.$eval("#result", (result) => result.value),
      "警察への緊急通報",
      "Alt+S presses 検索",
    );
  });

  test("bad input: an empty file, binary bytes, a 10 MB line, a file too large; the window keeps its state", async () => {
    assert.equal(await search(page, "0112012345"), "NTT固定（北海道札幌大通）");
    const empty = join(work, "empty.txt");
    writeFileSync(empty, "");
    assert.equal(await openBatchFile(page, empty), "empty");

    const binary = Buffer.alloc(64 * 1024);
    let seed = 7;
    for (let i = 0; i < binary.length; i++)
      binary[i] = (seed = (Math.imul(seed, 1103515245) + 12345) >>> 0) >>> 24;
    const binaryPath = join(work, "binary.bin");
    writeFileSync(binaryPath, binary);
    assert.equal(await openBatchFile(page, binaryPath), "done");
    assertRowsMatch(await readTable(page), lookup(binary));

    const long = join(work, "long-line.txt");
    writeFileSync(long, " ".repeat(10 * 1024 * 1024) + "117\n0120123456\n");
    assert.equal(await openBatchFile(page, long), "done");
    const [first, second] = await readTable(page);
    assert.equal(first[1][0].length, 201, "the cell shows the line's beginning and an ellipsis");
    assert.deepEqual([first[1][1], first[1].at(-1), second[1].at(-1)], ["117", "時報", "フリーダイヤル"]);

    const huge = join(work, "huge.bin");
    writeFileSync(huge, "");
    truncateSync(huge, 300 << 20); // sparse: the page refuses it by its size
    assert.equal(await openBatchFile(page, huge), "failed");
    assert.match(
      await page.$eval("#batch-message", (message) => message.textContent),
      /huge\.bin は大きすぎます/,
    );

    assert.equal(
      await page.$eval("#result", (result) => result.value),
      "NTT固定（北海道札幌大通）",
      "the window kept its answer",
    );
    assert.equal(await search(page, "117"), "時報");
    assert.deepEqual(page.errors, []);
  });

  test("a file of 100 MB: progress shown, the window answering while it runs, every line a row", async () => {
    const lines = ["0112012345", "090-1201-2345", "117", "０３－３５２０－１２３４", "not a number"];
    const block = lines.join("\n") + "\n";
    const repeats = Math.ceil((100 << 20) / Buffer.byteLength(block));
    const path = join(work, "100mb.txt");
    writeFileSync(path, block.repeat(repeats));
    const before = await page.$eval("#batch-message", (message) => Number(message.dataset.batch ?? 0));
    await (await page.$("#batch-file")).uploadFile(path);
    await page.waitForFunction(
      (before) => Number(document.getElementById("batch-message").dataset.batch) > before,
      {},
      before,
    );
    const seen = await page.evaluate(async () => {
      const progress = document.getElementById("batch-progress");
      const message = document.getElementById("batch-message");
      const values = new Set();
      let answeredWhileRunning = false;
      while (message.dataset.state === "running") {
        if (!progress.hidden) values.add(progress.value);
        if (!answeredWhileRunning && progress.value > 0) {
          document.getElementById("number").value = "117";
          document.getElementById("search").click();
          answeredWhileRunning =
            document.getElementById("result").value === "時報" && message.dataset.state === "running";
        }
        await new Promise((resolve) => setTimeout(resolve, 20));
      }
      return {
        steps: [...values].filter((value) => value > 0 && value < 1).length,
        answeredWhileRunning,
        state: message.dataset.state,
      };
    });
    assert.equal(seen.state, "done");
    assert.ok(seen.steps >= 2, `the progress bar moved (${seen.steps} steps seen)`);
    assert.ok(seen.answeredWhileRunning, "a search was answered while the batch ran");
    const count = repeats * lines.length;
    assert.match(
      await page.$eval("#batch-message", (message) => message.textContent),
      new RegExp(`^100mb\\.txt の ${count.toLocaleString("en-US")} 行`),
    );
    // The last rows, reached by scrolling to the end: the file's last lines, answered.
    const lastRows = await page.evaluate(async (wanted) => {
      const view = document.getElementById("batch-table");
      view.scrollTop = view.scrollHeight;
      await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
      return [...view.querySelectorAll("tbody tr:not(.spacer)")]
        .slice(-wanted)
        .map((row) => [...row.cells].map((cell) => cell.textContent));
    }, lines.length);
    const records = lookup(block);
    assert.deepEqual(
      lastRows,
      records.map((record, i) => {
        const { formatted, kind, prefecture } = kobal.parse(record.input);
        const fields = [formatted, kind, prefecture].map((value) => value ?? "");
        return [String(count - lines.length + i + 1), record.input, record.number ?? "", ...fields, record.result];
      }),
    );
  });
});
