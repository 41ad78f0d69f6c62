// The page's text codecs, the C++ of kobal-lookup in the WebAssembly, driven piece by piece as
// the page drives them: a file's lines come out as kobal-lookup reads them, byte for byte, over
// pieces, long lines and every encoding; the Shift-JIS encoder writes what kobal-lookup writes.
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { describe, test } from "node:test";
import { createKobal } from "../../web/module/core.js";
import { readTextAsUtf8 } from "../../web/page/text-input.js";
import { KOBAL_LOOKUP, WEB_BUILD, runNative } from "./environment.mjs";

const engine = await createKobal(readFileSync(join(WEB_BUILD, "kobal.wasm")));
const noPause = async () => {};

// The lines of the page's UTF-8 as the engine cuts them: at LF, a CR before it dropped, a last
// line without LF counted.
function linesOf(utf8) {
  const lines = [];
  for (let at = 0; at < utf8.length; ) {
    const newline = utf8.indexOf(10, at);
    const end = newline < 0 ? utf8.length : newline;
    const stop = end > at && utf8[end - 1] === 13 ? end - 1 : end;
    lines.push(Buffer.from(utf8.subarray(at, stop)).toString("latin1"));
    at = end + 1;
  }
  return lines;
}

// Each line's bytes as kobal-lookup read them: its --raw output's first field, unescaped.
function nativeLines(bytes) {
  const escapes = { "\\": "\\", t: "\t", n: "\n", r: "\r" };
  return runNative(KOBAL_LOOKUP, ["--raw", "--input", "-"], bytes)
    .toString("latin1")
    .split("\n")
    .slice(0, -1)
    .map((record) => record.slice(0, record.lastIndexOf("\t")))
    .map((field) => field.replace(/\\(.)/g, (_, c) => escapes[c]));
}

async function assertReadAsNative(bytes, encoding) {
  const read = await readTextAsUtf8(engine, bytes, noPause);
  assert.equal(read.encoding, encoding);
  const page = linesOf(read.utf8);
  const native = nativeLines(bytes);
  assert.equal(page.length, native.length, "one line for each of kobal-lookup's");
  const differences = page.flatMap((line, i) => (line === native[i] ? [] : [i + 1]));
  assert.deepEqual(differences.slice(0, 10), [], `${differences.length} lines differ`);
}

let seed = 20000101;
const random = (n) => {
  seed = (Math.imul(seed, 1103515245) + 12345) >>> 0;
  return (seed >>> 8) % n;
};
const cp932 = (text) => engine.encodeCp932(text);
const words = ["03-3520-1234", "東京都千代田区", "ｶﾀｶﾅ", "〜−¢", "０９０－１２３４", "TEL 117", "①②Ⅲ"];

// A line of one kind: ASCII, UTF-8, Shift-JIS, bytes neither can read, or a long line of
// either encoding with CRs where a long line's pieces end.
function randomLine(mixed) {
  const text = Array.from({ length: 1 + random(6) }, () => words[random(words.length)]).join(" ");
  const kind = random(mixed ? 8 : 3);
  if (kind === 0) return Buffer.from(`0${random(1e9)}`);
  if (kind <= 2) return Buffer.from(text);
  if (kind <= 4) return Buffer.from(cp932(text));
  if (kind === 5) return Buffer.from([0x30, 0x80, 0x82, 0x0d, 0xa0, 0xfd, 0x81]);
  const long = Buffer.concat(
    Array.from({ length: 9000 + random(20000) }, () =>
      random(2) ? Buffer.from(text) : Buffer.from(cp932(text)),
    ),
  );
  for (let at = (1 << 16) - 1; at < long.length; at += 1 << 16) long[at] = 0x0d;
  return kind === 6 ? long : Buffer.concat([Buffer.from(text.repeat(20000)), long]);
}

function randomFile(size, mixed) {
  const lines = [];
  for (let length = 0; length < size; ) {
    const line = randomLine(mixed);
    lines.push(line, Buffer.from(random(3) ? "\n" : "\r\n"));
    length += line.length + 1;
  }
  return Buffer.concat(lines);
}

describe("a file's lines read as kobal-lookup reads them", () => {
  test("UTF-8 for megabytes, then lines of both encodings, long lines and bytes of neither", async () => {
    const utf8Only = randomFile(5 << 20, false);
    const file = Buffer.concat([utf8Only, randomFile(6 << 20, true), Buffer.from("117")]);
    await assertReadAsNative(file, "UTF-8+Shift-JIS"); // named for both: lines beyond ASCII in each
    await assertReadAsNative(utf8Only, "UTF-8");
  });

  test("UTF-16 either way round, surrogate pairs across pieces, an unpaired one, an odd last byte", async () => {
    const lines = Array.from({ length: 300_000 }, (_, i) => `${i} 📞 ☎ 東京 😀\r\n`);
    const text = lines.join("") + "\ud800 x\n";
    const little = Buffer.concat([Buffer.from([0xff, 0xfe]), Buffer.from(text, "utf16le")]);
    const big = Buffer.from(little).swap16();
    await assertReadAsNative(Buffer.concat([little, Buffer.from([0x31])]), "UTF-16LE");
    await assertReadAsNative(big, "UTF-16BE");
  });

  test("pieces of any size, cut anywhere, give the same lines", async () => {
    const lines = Array.from({ length: 20_000 }, (_, i) => `${i} 📞 東京\r\n`);
    const utf16 = Buffer.from(lines.join(""), "utf16le");
    for (const file of [
      randomFile(1 << 20, true),
      Buffer.concat([Buffer.from([0xff, 0xfe]), utf16, Buffer.from([0x31])]),
    ]) {
      const pieces = [];
      const start = engine.beginText(file.subarray(0, 3));
      for (let at = start; at < file.length; ) {
        const end = Math.min(file.length, at + 1 + random(random(2) ? 8 : 100_000));
        pieces.push(Buffer.from(engine.decodeText(file.subarray(at, end), end === file.length)));
        at = end;
      }
      const native = nativeLines(file);
      assert.deepEqual(linesOf(Buffer.concat(pieces)), native);
    }
  });

  test("short and odd files: empty, a lone LF or CR, byte order marks alone or cut, a lead byte at the end, a long line", async () => {
    for (const [bytes, encoding] of [
      [[], "UTF-8"],
      [[0x0a], "UTF-8"],
      [[0x0d], "UTF-8"],
      [[0x31, 0x31, 0x37], "UTF-8"],
      [[0x31, 0x31, 0x37, 0x82], "Shift-JIS"],
      [[0xef, 0xbb], "Shift-JIS"],
      [[0xef, 0xbb, 0xbf], "UTF-8"],
      [[0xef, 0xbb, 0xbf, 0x31, 0xff, 0x0a, 0x82, 0xa0], "UTF-8"], // kept as they are
      [[...Buffer.from("東".repeat(30_000))], "UTF-8"], // its first piece ends inside a character
      [[0xff, 0xfe], "UTF-16LE"],
      [[0xfe, 0xff, 0x00], "UTF-16BE"],
    ]) {
      await assertReadAsNative(Buffer.from(bytes), encoding);
    }
  });
});

test("the Shift-JIS encoder writes each character as kobal-lookup's Shift-JIS output does", () => {
  const characters = [];
  for (let code = 0x20; code <= 0xffff; code++) {
    const quoted = code === 0x22 || code === 0x2c; // CSV would quote them
    if ((code < 0xd800 || code > 0xdfff) && !quoted) characters.push(String.fromCharCode(code));
  }
  characters.push("📞", "😀", "\u{20b9f}"); // beyond the plane: "?" too
  const native = runNative(
    KOBAL_LOOKUP,
    ["--raw", "--csv-raw", "--format", "csv", "--encoding", "shift_jis", "--input", "-"],
    `0\n${characters.join("\n")}\n`,
  )
    .toString("latin1")
    .split("\r\n")
    .slice(1, -1)
    .map((record) => record.slice(0, record.lastIndexOf(",")));
  assert.equal(native.length, characters.length);
  const differences = characters.flatMap((character, i) => {
    const page = Buffer.from(cp932(character)).toString("latin1");
    return page === native[i] ? [] : [`U+${character.codePointAt(0).toString(16)}`];
  });
  assert.deepEqual(differences.slice(0, 20), [], `${differences.length} characters differ`);
  // A text at once is its characters one after another; a lone surrogate is "?".
  assert.deepEqual(
    Buffer.from(cp932(characters.slice(0x3000, 0x3400).join("") + "\ud800")),
    Buffer.concat([...characters.slice(0x3000, 0x3400).map((c) => Buffer.from(cp932(c))), Buffer.from("?")]),
  );
});
