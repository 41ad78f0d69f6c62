// The WebAssembly module answers as the native library does, byte for byte: every service value,
// every 070 and 090 block, every fixed-line key of every group, the edges of the dispatch, and
// every written form of the normaliser's test table.
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { test } from "node:test";
import { WEB_BUILD, importModule, nativeAnswers, readWrittenForms } from "./environment.mjs";

const kobal = await importModule();
const pad = (value, width) => String(value).padStart(width, "0");
const hex = (bytes) => Buffer.from(bytes).toString("hex");

// Holds every key's WebAssembly answer against the native one; reports the first differences.
function assertSameAnswers(keys) {
  const native = nativeAnswers("detect", keys);
  assert.equal(native.length, keys.length, "the native library answered every key");
  const differences = [];
  keys.forEach((key, i) => {
    const wasm = hex(kobal.detectCarrierBytes(key));
    if (wasm !== native[i]) differences.push(`${key}: wasm ${wasm}, native ${native[i]}`);
  });
  assert.deepEqual(differences.slice(0, 20), [], `${differences.length} of ${keys.length} keys differ`);
}

test("service numbers: every three-digit value 000 to 999", () => {
  assertSameAnswers(Array.from({ length: 1000 }, (_, value) => pad(value, 3)));
});

test("mobile and PHS: every block of 070 and 090 (the 900 of the tables among them)", () => {
  const keys = [];
  for (const prefix of ["070", "090"])
    for (let block = 0; block < 1000; block++) keys.push(`${prefix}${pad(block, 3)}12345`);
  assertSameAnswers(keys);
});

test("fixed lines: every key 0N0000 to 0N9999 of the groups 1 to 9", () => {
  const keys = [];
  for (let group = 1; group <= 9; group++)
    for (let key = 0; key < 10000; key++) keys.push(`0${group}${pad(key, 4)}5678`);
  assertSameAnswers(keys);
});

test("dispatch edges: every length, Hakone, 0990, 0120, 0800, not digits", () => {
  const keys = [];
  for (let length = 0; length <= 13; length++)
    keys.push("0123456789012".slice(0, length), "9".repeat(length));
  for (let digit = 0; digit <= 9; digit++) keys.push(`0460${digit}1234`, `0460${digit}abcd`);
  for (const prefix of ["0990", "0120", "0800", "0700", "0900"])
    keys.push(`${prefix}123456`, `${prefix}1234567`);
  keys.push("04602", "1１0", "+81", " 11", "-11", "0112012345 ", "015375１234");
  assertSameAnswers(keys);
});

test("written forms: the normaliser's test table, normalised and then answered", () => {
  const forms = readWrittenForms();
  assert.ok(forms.length > 100, "the table holds its cases");
  const native = nativeAnswers(
    "normalise",
    forms.map((form) => form.written),
  );
  assert.equal(native.length, forms.length);
  const differences = [];
  const numbers = [];
  forms.forEach((form, i) => {
    const wasm = kobal.normalise(form.written) ?? "-";
    if (wasm !== native[i]) differences.push(`line ${form.line}: wasm ${wasm}, native ${native[i]}`);
    if (wasm !== (form.expected ?? "-"))
      differences.push(`line ${form.line}: wasm ${wasm}, table ${form.expected}`);
    if (wasm !== "-") numbers.push(wasm);
  });
  assert.deepEqual(differences, []);
  assertSameAnswers(numbers);
});

test("the WebAssembly exports DetectCarrier, the core's asking and answer text, the normaliser, the batch call, the answer's size, the text codecs, the record reader and the About text, nothing else of the library", () => {
  const exported = WebAssembly.Module.exports(
    new WebAssembly.Module(readFileSync(join(WEB_BUILD, "kobal.wasm"))),
  );
  const runtime = [
    "memory",
    "__indirect_function_table",
    "_initialize",
    "malloc",
    "free",
    "stackSave",
    "stackRestore",
    "stackAlloc",
  ];
  assert.deepEqual(
    exported
      .map((e) => e.name)
      .filter((name) => !runtime.includes(name))
      .sort(),
    [
      "DetectCarrier",
      "KobalAboutText",
      "KobalAnswerItems",
      "KobalAnswerText",
      "KobalAnswerUtf8",
      "KobalBatchCsv",
      "KobalBeginText",
      "KobalClassifyLines",
      "KobalDecodeText",
      "KobalDetectCarrier",
      "KobalEncodeCp932",
      "KobalFieldSet",
      "KobalFieldText",
      "KobalNormaliseNumber",
      "KobalNormalisePastedNumber",
      "KobalParseItems",
      "KobalRecordsBegin",
      "KobalRecordsFeed",
      "KobalRecordsRead",
      "KobalResultSize",
      "KobalTextEncoding",
    ],
  );
});
