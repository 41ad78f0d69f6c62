// The batch as a CSV file for spreadsheets: a header, then input, number and answer per line,
// RFC 4180 quoting and CRLF, a line a spreadsheet would evaluate made text. UTF-8 starts with a
// byte order mark so that Excel reads it as UTF-8; Shift-JIS holds the library's answers as they
// are and the rest encoded as kobal-lookup does.

const CSV_HEADER = ["入力", "番号", "結果"];
const SLICE_MS = 10; // work between two pauses for the page, at most a block more

// About how many bytes the CSV of `batch` takes in `encoding`, found without making it: each
// line's input as long as in UTF-8 (Shift-JIS never takes more bytes for a character), its
// number no longer than its input, a quote pair and an apostrophe, two commas and CRLF, and its
// answer's own bytes. Only quotes doubled inside an input go uncounted.
export function estimateCsvSize(batch, table, encoding) {
  const uses = new Uint32Array(1 << 16);
  const { answerIds, lineCount, utf8 } = batch;
  for (let line = 0; line < lineCount; line++) uses[answerIds[line]]++;
  const encoder = new TextEncoder();
  let size = 3 + 2 * encoder.encode(CSV_HEADER.join(",")).length + 2 * utf8.length + 7 * lineCount;
  uses.forEach((count, id) => {
    if (count === 0) return;
    const answer = table.engine.answer(id);
    size += count * (encoding === "utf-8" ? encoder.encode(answer.text).length : answer.bytes.length);
  });
  return size;
}

// Writes the CSV of `batch` in "utf-8" or "shift_jis": the header, then the records of a block
// of lines at a time, made by the engine with kobal-lookup's field writers: `await write(bytes)`
// for each, and `await pause(bytesDone, byteCount)` when the page has waited long enough. The
// bytes are a view of the engine's memory: write must have copied or written them when it
// resolves. Nothing is made per line in JavaScript, so the garbage collector stays quiet.
export async function writeCsv(batch, table, encoding, write, pause) {
  const { engine } = table;
  const header = CSV_HEADER.join(",") + "\r\n";
  await write(encoding === "utf-8" ? new TextEncoder().encode("\ufeff" + header) : engine.encodeCp932(header));
  const { utf8 } = batch;
  let sliceStart = performance.now();
  for (let at = 0; at < utf8.length; ) {
    const block = engine.csvBlock(utf8, at, encoding);
    at = block.end;
    await write(block.bytes);
    if (performance.now() - sliceStart >= SLICE_MS) {
      await pause(at, utf8.length);
      sliceStart = performance.now();
    }
  }
}
