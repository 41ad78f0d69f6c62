// A batch: every line of a pasted text or an opened file, normalised and answered in slices of
// a few milliseconds, so that the page stays responsive and the progress bar moves.
"use strict";

/* exported runBatch, pauseForPage, BatchCancelled */

const SLICE_MS = 12; // work between two turns of the page's event loop
const LINES_PER_CHECK = 2048; // lines classified between two looks at the clock

class BatchCancelled extends Error {}

// Lets the page handle input and paint, then resumes: a message comes back at once, where a
// timer would wait at least 4 ms each time.
const pauseForPage = (() => {
  const channel = new MessageChannel();
  const waiting = [];
  channel.port1.onmessage = () => waiting.shift()();
  return () =>
    new Promise((resume) => {
      waiting.push(resume);
      channel.port2.postMessage(null);
    });
})();

// Classifies every line of `source` ({ bytes } of a file or { text } pasted) and resolves to
// { utf8, encoding, starts, answerIds, lineCount }. onProgress(done, total, unit) is called
// between slices, first for the "bytes" read, then for the "lines" answered; when isCurrent()
// turns false (a newer batch started) it stops with BatchCancelled.
async function runBatch(engine, source, { onProgress, isCurrent }) {
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
      ? await readTextAsUtf8(source.bytes, pause)
      : { utf8: new TextEncoder().encode(source.text), encoding: "UTF-8" };
  const starts = await indexLines(read.utf8, pause);
  const lineCount = starts.length - 1;
  const answerIds = new Uint16Array(lineCount); // the library has a few thousand texts, not 65,536
  for (let line = 0; line < lineCount;) {
    const last = Math.min(line + LINES_PER_CHECK, lineCount);
    engine.classifyLines(read.utf8, starts, line, last, answerIds);
    line = last;
    if (performance.now() - sliceStart >= SLICE_MS) {
      onProgress(line, lineCount, "lines");
      await pause();
    }
  }
  onProgress(lineCount, lineCount, "lines");
  return { utf8: read.utf8, encoding: read.encoding, starts, answerIds, lineCount };
}
