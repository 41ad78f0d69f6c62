// The text of a batch: a file's bytes read as kobal-lookup reads them (a byte order mark decides
// for the file; without one, each line is UTF-8 if it is valid UTF-8, else code page 932), made
// UTF-8, to be cut into lines at LF by the engine. The work pauses now and then for the page:
// pause(done, total) tells how many of the bytes have been read.
"use strict";

/* exported readTextAsUtf8, INPUT_LIMIT */

const INPUT_LIMIT = 256 << 20; // bytes: millions of lines, and room in a tab for their answers
const PIECE = 4 << 20; // bytes decoded between two pauses
const BLOCK = 1 << 16; // bytes of whole lines tried as UTF-8 together before line by line

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
      await pause(at, bytes.length);
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

// Whether `bytes` are valid UTF-8, without the cost of an exception for each line that is not:
// every U+FFFD that a lenient decoder makes must be one that the text holds (EF BF BD).
function makeUtf8Test() {
  const lenient = new TextDecoder("utf-8", { ignoreBOM: true });
  return (bytes) => {
    const text = lenient.decode(bytes);
    let replaced = 0;
    for (let at = text.indexOf("\ufffd"); at >= 0; at = text.indexOf("\ufffd", at + 1)) replaced++;
    if (replaced === 0) return true;
    let written = 0;
    for (let at = bytes.indexOf(0xef); at >= 0 && at + 2 < bytes.length; at = bytes.indexOf(0xef, at + 1)) {
      if (bytes[at + 1] === 0xbf && bytes[at + 2] === 0xbd) written++;
    }
    return replaced === written;
  };
}

// Code page 932 as kobal-lookup decodes it. The browser's Shift-JIS decoder has the same pairs
// (Microsoft's table) but treats bytes that the code page lacks otherwise: it reads 0x80 as
// U+0080, and takes a non-ASCII byte after a lead byte with no such pair into its U+FFFD. Lines
// with such bytes go byte by byte: each byte that starts no character is a U+FFFD of its own.
function makeCp932Decoder() {
  const strict = new TextDecoder("shift_jis", { fatal: true });
  const isLead = (byte) => (byte >= 0x81 && byte <= 0x9f) || (byte >= 0xe0 && byte <= 0xfc);
  return (bytes) => {
    if (!bytes.includes(0x80)) {
      try {
        return strict.decode(bytes);
      } catch {
        // a byte the code page does not define: byte by byte below
      }
    }
    let text = "";
    for (let at = 0; at < bytes.length;) {
      const byte = bytes[at];
      if (byte < 0x80) {
        text += String.fromCharCode(byte);
        at++;
      } else if (byte >= 0xa1 && byte <= 0xdf) {
        text += String.fromCharCode(0xff61 + byte - 0xa1); // half-width katakana
        at++;
      } else {
        let pair = null;
        if (isLead(byte) && at + 1 < bytes.length) {
          try {
            pair = strict.decode(bytes.subarray(at, at + 2));
          } catch {
            // no such pair: the lead byte alone is the U+FFFD
          }
        }
        text += pair ?? "\ufffd";
        at += pair === null ? 1 : 2;
      }
    }
    return text;
  };
}

// Text without a byte order mark that is not all UTF-8: each line (LF included) stays as it is
// when it is valid UTF-8 and is decoded from code page 932 otherwise. Lines are tried in
// blocks first, as most blocks of a mostly UTF-8 file are whole. Resolves to { utf8, cp932Lines }.
async function decodeEachLine(bytes, pause) {
  const isUtf8 = makeUtf8Test();
  const cp932 = makeCp932Decoder();
  const sink = new Utf8Sink(bytes.length + (bytes.length >> 1));
  let cp932Lines = 0;
  for (let at = 0; at < bytes.length;) {
    const newline = bytes.indexOf(10, Math.min(at + BLOCK, bytes.length) - 1);
    const end = newline < 0 ? bytes.length : newline + 1;
    const block = bytes.subarray(at, end);
    if (isUtf8(block)) {
      sink.append(block);
    } else {
      for (let start = 0; start < block.length;) {
        const lineEnd = block.indexOf(10, start);
        const line = block.subarray(start, lineEnd < 0 ? block.length : lineEnd + 1);
        if (isUtf8(line)) {
          sink.append(line);
        } else {
          sink.appendText(cp932(line));
          cp932Lines++;
        }
        start += line.length;
      }
    }
    at = end;
    await pause(at, bytes.length);
  }
  return { utf8: sink.utf8, cp932Lines };
}

// The bytes of `bytes` decoded with `decoder` and encoded again as UTF-8, piece by piece.
async function transcode(bytes, decoder, pause) {
  const sink = new Utf8Sink(bytes.length + (bytes.length >> 1));
  for (let at = 0; at < bytes.length; at += PIECE) {
    const last = at + PIECE >= bytes.length;
    sink.appendText(decoder.decode(bytes.subarray(at, at + PIECE), { stream: !last }));
    await pause(at, bytes.length);
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
