// A batch: every line of a pasted text or an opened file, normalised and answered in slices of
// a few milliseconds, so that the page stays responsive and the progress bar moves.
import { readTextAsUtf8 } from "./text-input.js";

const SLICE_MS = 30; // work between two turns of the page's event loop (a block takes a few ms)
const TEXT_PIECE = 1 << 20; // characters of a pasted text encoded at a time

export class BatchCancelled extends Error {}

// Lets the page handle input and paint, then resumes: a message comes back at once, where a
// timer would wait at least 4 ms each time.
export const pauseForPage = (() => {
  const channel = new MessageChannel();
  const waiting = [];
  channel.port1.onmessage = () => waiting.shift()();
  return () =>
    new Promise((resume) => {
      waiting.push(resume);
      channel.port2.postMessage(null);
    });
})();

// The UTF-8 of a pasted text, a piece between pauses: tens of millions of characters take
// seconds.
async function encodeUtf8(text, pause) {
  const encoder = new TextEncoder();
  const utf8 = new Uint8Array(3 * text.length); // no UTF-16 unit takes more than 3 bytes
  let written = 0;
  for (let at = 0; at < text.length; ) {
    let end = Math.min(at + TEXT_PIECE, text.length);
    if (end < text.length && /[\ud800-\udbff]/.test(text[end - 1])) end++; // a pair stays whole
    written += encoder.encodeInto(text.slice(at, end), utf8.subarray(written)).written;
    at = end;
    await pause(at, text.length);
  }
  return utf8.subarray(0, written);
}

// Classifies every line of `source` ({ bytes } of a file or { text } pasted) and resolves to
// { utf8, encoding, starts, answerIds, lineCount }. onProgress(done, total, unit, lines) is called
// between slices, first for the "bytes" read, then for the bytes whose "lines" are answered (and
// how many lines that is); when isCurrent()
// turns false (a newer batch started) it stops with BatchCancelled.
export async function runBatch(engine, source, { onProgress, isCurrent }) {
  let sliceStart = performance.now();
  const pause = async (bytesRead, byteCount) => {
    if (performance.now() - sliceStart < SLICE_MS) return;
    if (bytesRead !== undefined) onProgress(bytesRead, byteCount, "bytes");
    await pauseForPage();
    if (!isCurrent()) throw new BatchCancelled();
    sliceStart = performance.now();
  };

  const read =
    source.bytes !== undefined
      ? await readTextAsUtf8(engine, source.bytes, pause)
      : { utf8: await encodeUtf8(source.text, pause), encoding: "UTF-8" };
  const { utf8 } = read;
  // Line i runs from starts[i] up to the byte before starts[i + 1] (its LF). A last line without
  // LF counts; after a final LF no empty line follows, so empty text has no line. The entry
  // after the last line is one past the end, as if an LF followed.
  let starts = new Uint32Array(Math.max(64, (utf8.length >> 4) + 1));
  let answerIds = new Uint16Array(starts.length); // the library has a few thousand texts, not 65,536
  let lineCount = 0;
  for (let at = 0; at < utf8.length;) {
    const block = engine.classifyBlock(utf8, at);
    // After the first block the lines' density foretells their number: the arrays are made
    // that large while they hold little, rather than doubled and copied when full.
    const foretold = at === 0 ? Math.ceil(((block.starts.length + 1) / block.end) * utf8.length * 1.02) : 0;
    const needed = Math.max(lineCount + block.starts.length + 1, foretold);
    if (needed > starts.length) {
      const size = foretold > 0 ? needed : Math.max(2 * starts.length, needed);
      const grownStarts = new Uint32Array(size);
      grownStarts.set(starts.subarray(0, lineCount));
      starts = grownStarts;
      const grownIds = new Uint16Array(size);
      grownIds.set(answerIds.subarray(0, lineCount));
      answerIds = grownIds;
    }
    starts.set(block.starts, lineCount);
    answerIds.set(block.answerIds, lineCount);
    lineCount += block.starts.length;
    at = block.end;
    if (performance.now() - sliceStart >= SLICE_MS) {
      onProgress(at, utf8.length, "lines", lineCount);
      await pause();
    }
  }
  const endsWithNewline = utf8.length > 0 && utf8[utf8.length - 1] === 10;
  starts[lineCount] = utf8.length + (endsWithNewline ? 0 : 1);
  onProgress(utf8.length, utf8.length, "lines", lineCount);
  return {
    utf8,
    encoding: read.encoding,
    starts: starts.subarray(0, lineCount + 1),
    answerIds: answerIds.subarray(0, lineCount),
    lineCount,
  };
}
