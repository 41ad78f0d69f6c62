// The text of a batch: a file's bytes read as kobal-lookup reads them (a byte order mark decides
// for the file; without one, each line is UTF-8 if it is valid UTF-8, else code page 932), made
// UTF-8, and cut into lines at LF.
"use strict";

/* exported readTextAsUtf8, indexLines, INPUT_LIMIT */

const INPUT_LIMIT = 1 << 30; // a gigabyte: far more lines than anyone pastes, less than a tab can hold
const PIECE = 4 << 20; // bytes decoded between two pauses
const BLOCK = 1 << 16; // lines tried as UTF-8 together before line by line

// Which encoding the bytes are in, and where the text starts after its byte order mark.
function sniffEncoding(bytes) {
  if (bytes[0] === 0xef && bytes[1] === 0xbb && bytes[2] === 0xbf) return { name: "UTF-8", skip: 3 };
  if (bytes[0] === 0xff && bytes[1] === 0xfe) return { name: "UTF-16LE", skip: 2 };
  if (bytes[0] === 0xfe && bytes[1] === 0xff) return { name: "UTF-16BE", skip: 2 };
  return null;
}

// True when the bytes are valid UTF-8 throughout; decodes in pieces, pausing between them.
async function isValidUtf8(bytes, pause) {
  const decoder = new TextDecoder("utf-8", { fatal: true, ignoreBOM: true });
  try {
    for (let at = 0; at < bytes.length; at += PIECE) {
      decoder.decode(bytes.subarray(at, at + PIECE), { stream: true });
      await pause();
    }
    decoder.decode();
    return true;
  } catch {
    return false;
  }
}

// UTF-8 bytes written one after another into a buffer that grows as needed.
class Utf8Sink {
  constructor(expected) {
    this.bytes = new Uint8Array(Math.max(expected, 64));
    this.length = 0;
    this.encoder = new TextEncoder();
  }

  reserve(extra) {
    if (this.length + extra <= this.bytes.length) return;
    const grown = new Uint8Array(Math.max(2 * this.bytes.length, this.length + extra));
    grown.set(this.bytes.subarray(0, this.length));
    this.bytes = grown;
  }

  append(bytes) {
    this.reserve(bytes.length);
    this.bytes.set(bytes, this.length);
    this.length += bytes.length;
  }

  appendText(text) {
    this.reserve(3 * text.length); // UTF-16 code units never take more than 3 bytes each
    this.length += this.encoder.encodeInto(text, this.bytes.subarray(this.length)).written;
  }

  get utf8() {
    return this.bytes.subarray(0, this.length);
  }
}

// Text without a byte order mark that is not all UTF-8: each line (LF included) stays as it is
// when it is valid UTF-8 and is decoded from code page 932 otherwise. Lines are tried in
// blocks first, as most blocks of a mostly UTF-8 file are whole. Resolves to { utf8, cp932Lines }.
async function decodeEachLine(bytes, pause) {
  const strict = new TextDecoder("utf-8", { fatal: true, ignoreBOM: true });
  const cp932 = new TextDecoder("shift_jis");
  const isUtf8 = (part) => {
    try {
      strict.decode(part);
      return true;
    } catch {
      return false;
    }
  };
  const sink = new Utf8Sink(bytes.length + (bytes.length >> 1));
  let cp932Lines = 0;
  for (let at = 0; at < bytes.length; ) {
    const newline = bytes.indexOf(10, Math.min(at + BLOCK, bytes.length) - 1);
    const end = newline < 0 ? bytes.length : newline + 1;
    const block = bytes.subarray(at, end);
    if (isUtf8(block)) {
      sink.append(block);
    } else {
      for (let start = 0; start < block.length; ) {
        const lineEnd = block.indexOf(10, start);
        const line = block.subarray(start, lineEnd < 0 ? block.length : lineEnd + 1);
        if (isUtf8(line)) {
          sink.append(line);
        } else {
          sink.appendText(cp932.decode(line));
          cp932Lines++;
        }
        start += line.length;
      }
    }
    at = end;
    await pause();
  }
  return { utf8: sink.utf8, cp932Lines };
}

// The bytes of `bytes` decoded with `decoder` and encoded again as UTF-8, piece by piece.
async function transcode(bytes, decoder, pause) {
  const sink = new Utf8Sink(bytes.length + (bytes.length >> 1));
  for (let at = 0; at < bytes.length; at += PIECE) {
    const last = at + PIECE >= bytes.length;
    sink.appendText(decoder.decode(bytes.subarray(at, at + PIECE), { stream: !last }));
    await pause();
  }
  return sink.utf8;
}

// { utf8, encoding }: the text as UTF-8 bytes and the name of the encoding it was read in.
// What the encoding does not define becomes U+FFFD, so that every line still gets its row.
async function readTextAsUtf8(bytes, pause) {
  const marked = sniffEncoding(bytes);
  if (marked !== null) {
    const text = bytes.subarray(marked.skip);
    if (marked.name === "UTF-8" && (await isValidUtf8(text, pause))) return { utf8: text, encoding: "UTF-8" };
    const decoder = new TextDecoder(marked.name.toLowerCase(), { ignoreBOM: true });
    return { utf8: await transcode(text, decoder, pause), encoding: marked.name };
  }
  if (await isValidUtf8(bytes, pause)) return { utf8: bytes, encoding: "UTF-8" };
  const { utf8, cp932Lines } = await decodeEachLine(bytes, pause);
  return { utf8, encoding: cp932Lines > 0 ? "Shift-JIS" : "UTF-8" };
}

// Where each line starts: line i runs from starts[i] up to the byte before starts[i + 1] (its
// LF). A last line without LF counts; after a final LF no empty line follows, so empty text
// has no line. The entry after the last line is one past the end, as if an LF followed.
async function indexLines(utf8, pause) {
  let count = 0;
  for (let at = utf8.indexOf(10); at >= 0; at = utf8.indexOf(10, at + 1)) {
    if ((++count & 0xffff) === 0) await pause();
  }
  const endsWithNewline = utf8.length > 0 && utf8[utf8.length - 1] === 10;
  if (utf8.length > 0 && !endsWithNewline) count++;
  const starts = new Uint32Array(count + 1);
  let line = 1;
  for (let at = utf8.indexOf(10); at >= 0 && line < count; at = utf8.indexOf(10, at + 1)) {
    starts[line++] = at + 1;
    if ((line & 0xffff) === 0) await pause();
  }
  starts[count] = utf8.length + (endsWithNewline ? 0 : 1);
  return starts;
}
