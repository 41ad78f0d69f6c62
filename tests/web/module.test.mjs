// The kobal module as a Node.js program uses it: answers as JS strings equal to kobal-lookup's,
// the Shift-JIS bytes, the normaliser, bad arguments, and the package that `npm pack` makes,
// installed into an empty project and imported by a plain script.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { test } from "node:test";
import {
  KOBAL_LOOKUP,
  MODULE,
  REPOSITORY,
  importModule,
  nativeAnswers,
  readFieldsTable,
  readWrittenForms,
  runNative,
} from "./environment.mjs";

const kobal = await importModule();

test("detectCarrier gives kobal-lookup's UTF-8 answer as a string", () => {
  const numbers = [
    "0112012345",
    "0153751234",
    "09012012345",
    "07050112345",
    "0120123456",
    "08001234567",
    "0990123456",
    "117",
    "110",
    "189",
    "046021234",
    "046031234",
    "0312345678",
    "1234",
    "",
  ];
  const lookup = runNative(KOBAL_LOOKUP, ["--raw", "--input", "-"], numbers.join("\n") + "\n")
    .toString("utf8")
    .split("\n")
    .slice(0, -1)
    .map((record) => record.slice(record.indexOf("\t") + 1));
  assert.deepEqual(numbers.map(kobal.detectCarrier), lookup);
  assert.equal(kobal.detectCarrier("0112012345"), "NTT固定（北海道札幌大通）");
});

test("the shared table of numbers asked: as they stand and as written", () => {
  const escapes = { 0: "\0", t: "\t", n: "\n", r: "\r" };
  const rows = readFileSync(join(REPOSITORY, "tests/support/numbers-asked.tsv"), "utf8")
    .split("\n")
    .filter((line) => line !== "" && !line.startsWith("#"))
    .map((line) => line.split("\t"))
    .map(([text, ...answers]) => [text.replace(/\\(.)/g, (_, c) => escapes[c] ?? c), ...answers]);
  assert.ok(rows.length >= 20);
  for (const [text, asItStands, asWritten] of rows) {
    assert.equal(kobal.detectCarrier(text), asItStands, `detectCarrier(${JSON.stringify(text)})`);
    assert.equal(kobal.lookupMany([text])[0], asWritten, `lookupMany([${JSON.stringify(text)}])`);
  }
  const texts = rows.map(([text]) => text);
  assert.deepEqual(kobal.detectCarrierMany(texts), rows.map(([, asItStands]) => asItStands));
  assert.deepEqual(kobal.lookupMany(texts), rows.map(([, , asWritten]) => asWritten));
});

test("detectCarrierBytes gives the library's Shift-JIS; a Uint8Array goes in unchanged", () => {
  assert.deepEqual([...kobal.detectCarrierBytes("117")], [0x8e, 0x9e, 0x95, 0xf1]); // 時報
  // 04602 and two full-width letters: nine bytes in Shift-JIS (Hakone), eleven as UTF-8.
  const shiftJis = Uint8Array.from([...Buffer.from("04602"), 0x82, 0x60, 0x82, 0x61]);
  assert.equal(
    new TextDecoder("shift_jis").decode(kobal.detectCarrierBytes(shiftJis)),
    "NTT固定（神奈川県箱根）",
  );
  assert.equal(kobal.detectCarrier("04602ＡＢ"), "不明");
  // A NUL would cut the number short in C; it is no number here, as in kobal-lookup.
  assert.equal(kobal.detectCarrier("117\u00000"), "不明");
  assert.equal(kobal.detectCarrier(Uint8Array.from([0x31, 0x31, 0x37, 0])), "不明");
});

test("normalise: digits, null for no number, and texts of any size", () => {
  assert.equal(kobal.normalise("+81 (0)3-3520-1234"), "0335201234");
  assert.equal(kobal.normalise("０９０－１２３４－５６７８"), "09012345678");
  assert.equal(kobal.normalise("03-3520-1234 ext"), null);
  assert.equal(kobal.normalise(""), null);
  assert.equal(kobal.normalise(" ".repeat(10_000_000) + "117"), "117");
  assert.equal(kobal.normalise("117"), "117", "the engine still answers after growing its memory");
});

test("arguments that are neither strings nor bytes are refused", () => {
  assert.throws(() => kobal.detectCarrier(117), TypeError);
  assert.throws(() => kobal.normalise(null), TypeError);
});

// Items for the batch calls: numbers of every kind (seeded, so that a failure repeats), the
// normaliser's written forms, and the awkward ones: line ends, NULs, empty, non-BMP and lone
// surrogates, digits that lead to a country code, raw bytes, and one item far larger than a
// block's room, in an array of more items than a block holds.
function batchItems() {
  let seed = 20000401;
  const random = (below) => (seed = (seed * 48271) % 0x7fffffff) % below;
  const digits = (count) => Array.from({ length: count }, () => random(10)).join("");
  const prefixes = ["0", "01", "011", "03", "06", "090", "070", "0120", "0800", "0990", "04602", "1"];
  const numbers = Array.from({ length: 3000 }, () => {
    const prefix = prefixes[random(prefixes.length)];
    return prefix + digits(random(13 - prefix.length));
  });
  const written = readWrittenForms().map(({ written }) => written);
  const awkward = [
    ...["", "117\n", "1\n17", "117\r", "\r\n", "117\0", "\0", "0\u0000112012345", "😀117"],
    ...["117😀", "０１１２０１２３４５", "0081335201234", "01081335201234", "\ud800117", "117\udfff"],
    ...["+81 90-1234-5678", "03-3520-1234 ext"],
    " ".repeat(3_000_000) + "0112012345",
    "0112012345" + " ".repeat(400_000),
    Uint8Array.of(0x31, 0x31, 0x37), Uint8Array.of(0x31, 0x31, 0x37, 0), new Uint8Array(0),
    Buffer.from("09012012345"),
  ];
  const items = ["0112012345", "117", ...numbers, ...written, ...awkward];
  // Numbers again, every other one in full-width digits (three bytes each), with the awkward
  // items spread among them, past 65,536 items.
  const fullWidth = (text) =>
    text.replace(/[0-9]/g, (digit) => String.fromCharCode(0xff10 + Number(digit)));
  for (let i = 0; i < 70_000; i++) {
    const number = numbers[i % numbers.length];
    items.push(i % 5000 === 17 ? awkward[(i / 5000) | 0] : i % 2 ? fullWidth(number) : number);
  }
  return items;
}

test("detectCarrierMany answers each item as the native library does", () => {
  const items = batchItems();
  const answers = kobal.detectCarrierMany(items);
  assert.equal(answers.length, items.length);
  // The native library reads lines: items holding a LF or a NUL are held against detectCarrier.
  const asLine = (item) => ![...item].some((unit) => ["\n", "\0", 10, 0].includes(unit));
  const lines = [...new Set(items.filter(asLine))];
  const shiftJis = new TextDecoder("shift_jis");
  const native = new Map(
    nativeAnswers("detect", lines).map((hex, i) => [lines[i], shiftJis.decode(Buffer.from(hex, "hex"))]),
  );
  items.forEach((item, i) => {
    const expected = asLine(item) ? native.get(item) : kobal.detectCarrier(item);
    assert.equal(answers[i], expected, `item ${i}: ${String(item).slice(0, 40)}`);
  });
  assert.ok(answers.includes("NTT固定（北海道札幌大通）") && answers.includes("時報"));
});

test("lookupMany answers each item as kobal-lookup answers a line", () => {
  const items = batchItems();
  const answers = kobal.lookupMany(items);
  assert.equal(answers.length, items.length);
  // kobal-lookup on the strings without a LF, as lines of one UTF-8 file; the others, and the
  // bytes, are the normaliser's digits asked of the library. So are lines too long for
  // kobal-lookup's blocks (64 KiB), which it answers 不明 unread; the batch call reads them.
  const asLine = (item) => typeof item === "string" && !item.includes("\n") && item.length < 10_000;
  const lines = [...new Set(items.filter(asLine))];
  const output = runNative(KOBAL_LOOKUP, ["--input", "-"], lines.join("\n") + "\n")
    .toString("utf8")
    .split("\n");
  const native = new Map(lines.map((line, i) => [line, output[i].slice(output[i].lastIndexOf("\t") + 1)]));
  items.forEach((item, i) => {
    const expected = asLine(item) ? native.get(item) : kobal.detectCarrier(kobal.normalise(item) ?? "");
    assert.equal(answers[i], expected, `item ${i}: ${String(item).slice(0, 40)}`);
  });
  assert.deepEqual(kobal.lookupMany(["03-3520-1234", "not a number", "1\r17"]), [
    "NTT固定（東京都新有明）",
    "不明",
    "時報",
  ]);
});

test("the batch calls take an array of strings or bytes and name the item they refuse", () => {
  assert.deepEqual(kobal.lookupMany([]), []);
  for (const call of [kobal.lookupMany, kobal.detectCarrierMany]) {
    assert.throws(() => call("117"), TypeError);
    assert.throws(() => call(["117", 117]), { name: "TypeError", message: /item 1\b/ });
    const holes = ["117"];
    holes[70_000] = "117";
    assert.throws(() => call(holes), { name: "TypeError", message: /item 1\b/ });
    assert.throws(() => call([...Array(70_000).fill("117"), null]), {
      name: "TypeError",
      message: /item 70000\b/,
    });
    assert.deepEqual(call(["117"]), ["時報"], "the engine answers after a refusal");
  }
});

// What parse gives for a row of the shared table: its cells but input, an empty one null.
const answerOfRow = (row) =>
  Object.fromEntries(
    Object.entries(row)
      .filter(([name]) => name !== "input")
      .map(([name, cell]) => [name, cell === "" ? null : cell]),
  );

test("the shared table of fields: format, parse and parseMany on every row", () => {
  const { rows } = readFieldsTable();
  assert.ok(rows.length >= 40);
  for (const row of rows) {
    const expected = answerOfRow(row);
    assert.deepEqual(kobal.parse(row.input), expected, `parse(${JSON.stringify(row.input)})`);
    assert.deepEqual(Object.keys(kobal.parse(row.input)), Object.keys(expected), "the keys in the fields' order");
    assert.equal(kobal.format(row.input), expected.formatted, `format(${JSON.stringify(row.input)})`);
    assert.deepEqual(kobal.parse(Buffer.from(row.input)), expected, "the same text as UTF-8 bytes");
  }
  assert.deepEqual(kobal.parseMany(rows.map((row) => row.input)), rows.map(answerOfRow));
});

test("parseMany answers each item as parse does, across blocks and awkward items", () => {
  const items = batchItems();
  const answers = kobal.parseMany(items);
  assert.equal(answers.length, items.length);
  // The result of each item is lookupMany's; every other field parse's, one item at a time.
  const results = kobal.lookupMany(items);
  answers.forEach((answer, i) => {
    assert.equal(answer.result ?? "", results[i], `item ${i}: ${String(items[i]).slice(0, 40)}`);
  });
  for (let i = 0; i < items.length; i += 7)
    assert.deepEqual(answers[i], kobal.parse(items[i]), `item ${i}: ${String(items[i]).slice(0, 40)}`);
  // A number is its digits, as normalise gives them; no number has every field but two null.
  items.forEach((text, i) => {
    const digits = kobal.normalise(text);
    const { number, status, result, ...rest } = answers[i];
    assert.equal(number, digits, `item ${i}`);
    assert.equal(status, digits === null ? "not-a-number" : "number", `item ${i}`);
    if (digits === null) assert.ok(Object.values(rest).every((value) => value === null), `item ${i}`);
  });
  assert.throws(() => kobal.parseMany("117"), TypeError);
  assert.throws(() => kobal.parseMany(["117", 117]), { name: "TypeError", message: /item 1\b/ });
  assert.throws(() => kobal.parse(117), TypeError);
  assert.deepEqual(kobal.parseMany([]), []);
});

test("npm pack makes a package that installs into an empty project and imports", () => {
  const work = mkdtempSync(join(tmpdir(), "kobal-npm-"));
  try {
    const npm = (args, cwd) =>
      execFileSync("npm", [...args, "--no-audit", "--no-fund", "--loglevel=error"], {
        cwd,
        encoding: "utf8",
      });
    npm(["pack", "--pack-destination", work], MODULE);
    const [tarball] = readdirSync(work).filter((name) => /^kobal-\d+\.\d+\.\d+\.tgz$/.test(name));
    assert.ok(tarball, "npm pack wrote kobal-<version>.tgz");
    const project = join(work, "project");
    execFileSync("mkdir", [project]);
    writeFileSync(join(project, "package.json"), '{ "name": "uses-kobal", "private": true }\n');
    npm(["install", "--offline", join(work, tarball)], project);
    writeFileSync(
      join(project, "check.mjs"),
      'import { detectCarrier, format, normalise } from "kobal";\n' +
        'console.log(detectCarrier(normalise("011-201-2345")), normalise("x"), format("0112012345"));\n',
    );
    assert.equal(
      execFileSync("node", ["check.mjs"], { cwd: project, encoding: "utf8" }),
      "NTT固定（北海道札幌大通） null 011-201-2345\n",
    );
    const listed = execFileSync("tar", ["-tzf", join(work, tarball)], { encoding: "utf8" })
      .split("\n")
      .filter(Boolean)
      .sort();
    assert.deepEqual(listed, [
      "package/LICENSE",
      "package/NOTICE",
      "package/README.md",
      "package/kobal.d.ts",
      "package/kobal.js",
      "package/package.json",
    ]);
  } finally {
    rmSync(work, { recursive: true, force: true });
  }
});
