// The text of a batch: a file's bytes read as kobal-lookup reads them (a byte order mark decides;
// else valid UTF-8 is UTF-8; else code page 932), made UTF-8, and cut into lines at LF.
"use strict";

/* exported readTextAsUtf8, indexLines, INPUT_LIMIT */

const INPUT_LIMIT = 1 << 30; // a gigabyte: far more lines than anyone pastes, less than a tab can hold
const PIECE = 4 << 20; // bytes decoded between two pauses

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

// The bytes of `bytes` decoded with `decoder` and encoded again as UTF-8, piece by piece.
async function transcode(bytes, decoder, pause) {
  const encoder = new TextEncoder();
  const parts = [];
  let size = 0;
  for (let at = 0; at < bytes.length; at += PIECE) {
    const last = at + PIECE >= bytes.length;
    const part = encoder.encode(decoder.decode(bytes.subarray(at, at + PIECE), { stream: !last }));
    parts.push(part);
    size += part.length;
    await pause();
  }
  const utf8 = new Uint8Array(size);
  let at = 0;
  for (const part of parts) {
    utf8.set(part, at);
    at += part.length;
  }
  return utf8;
}

// { utf8, encoding }: the text as UTF-8 bytes and the name of the encoding it was read in.
// Bytes that the encoding does not define become U+FFFD, so every line still gets its row.
async function readTextAsUtf8(bytes, pause) {
  const marked = sniffEncoding(bytes);
  if (marked !== null) {
    const text = bytes.subarray(marked.skip);
    if (marked.name === "UTF-8" && (await isValidUtf8(text, pause))) return { utf8: text, encoding: "UTF-8" };
    const decoder = new TextDecoder(marked.name.toLowerCase(), { ignoreBOM: true });
    return { utf8: await transcode(text, decoder, pause), encoding: marked.name };
  }
  if (await isValidUtf8(bytes, pause)) return { utf8: bytes, encoding: "UTF-8" };
  return { utf8: await transcode(bytes, new TextDecoder("shift_jis"), pause), encoding: "Shift-JIS" };
}

// Where each line starts: line i runs from starts[i] up to the byte before starts[i + 1] (its
// LF). A last line without LF counts; after a final LF no empty line follows, so empty text
// has no line. The entry after the last line is one past the end, as if an LF followed.
async function indexLines(utf8, pause) {
  let count = 0;
  for (let at = utf8.indexOf(10); at >= 0; at = utf8.indexOf(10, at + 1)) count++;
  const endsWithNewline = utf8.length > 0 && utf8[utf8.length - 1] === 10;
  if (utf8.length > 0 && !endsWithNewline) count++;
  await pause();
  const starts = new Uint32Array(count + 1);
  let line = 1;
  for (let at = utf8.indexOf(10); at >= 0 && line < count; at = utf8.indexOf(10, at + 1)) starts[line++] = at + 1;
  starts[count] = utf8.length + (endsWithNewline ? 0 : 1);
  return starts;
}
