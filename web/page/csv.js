// The batch as a CSV file for spreadsheets: a header, then the chosen fields of each line (input,
// number and answer unless others are chosen), RFC 4180 quoting and CRLF, a cell a spreadsheet
// would evaluate made text. UTF-8 starts with a byte order mark so that Excel reads it as UTF-8;
// Shift-JIS holds the library's answers as they are and the rest encoded as kobal-lookup does.
import { FIELD_LABELS } from "./field-chooser.js";

const SLICE_MS = 10; // work between two pauses for the page, at most a block more
const SAMPLED = 1000; // lines whose other fields are measured for an estimate

const headerOf = (fields) => fields.map((field) => FIELD_LABELS[field]).join(",");

// About how many bytes the CSV of `batch` with `fields` takes in `encoding`, found without making
// it: each line's input as long as in UTF-8 (Shift-JIS never takes more bytes for a character),
// its number no longer than its input, a quote pair and an apostrophe, a comma a field and CRLF,
// and its answer's own bytes; the other fields as long as on lines spread over the batch. Only
// quotes doubled inside an input go uncounted.
export function estimateCsvSize(batch, table, encoding, fields) {
  const { answerIds, lineCount, utf8 } = batch;
  const encoder = new TextEncoder();
  const bytesOf = (text) => (encoding === "utf-8" ? encoder.encode(text).length : table.engine.encodeCp932(text).length);
  let size = 3 + 2 * bytesOf(headerOf(fields)) + (fields.length + 1) * lineCount;
  if (fields.includes("input")) size += utf8.length + 3 * lineCount;
  if (fields.includes("number")) size += utf8.length;
  if (fields.includes("result")) {
    const uses = new Uint32Array(1 << 16);
    for (let line = 0; line < lineCount; line++) uses[answerIds[line]]++;
    uses.forEach((count, id) => {
      if (count === 0) return;
      const answer = table.engine.answer(id);
      size += count * (encoding === "utf-8" ? encoder.encode(answer.text).length : answer.bytes.length);
    });
  }
  const others = fields.filter((field) => !["input", "number", "result"].includes(field));
  if (others.length > 0 && lineCount > 0) {
    const step = Math.max(1, Math.floor(lineCount / SAMPLED));
    let sampled = 0;
    let sampleSize = 0;
    for (let line = 0; line < lineCount; line += step, sampled++) {
      const answer = table.engine.parse(table.bytesOf(line, batch));
      for (const field of others) sampleSize += bytesOf(answer[field] ?? "");
    }
    size += Math.ceil((sampleSize / sampled) * lineCount);
  }
  return size;
}

// Writes the CSV of `batch` with `fields` in "utf-8" or "shift_jis": the header, then the records of a block
// of lines at a time, made by the engine with kobal-lookup's field writers: `await write(bytes)`
// for each, and `await pause(bytesDone, byteCount)` when the page has waited long enough. The
// bytes are a view of the engine's memory: write must have copied or written them when it
// resolves. Nothing is made per line in JavaScript, so the garbage collector stays quiet.
export async function writeCsv(batch, table, encoding, fields, write, pause) {
  const { engine } = table;
  const header = headerOf(fields) + "\r\n";
  await write(encoding === "utf-8" ? new TextEncoder().encode("\ufeff" + header) : engine.encodeCp932(header));
  const { utf8 } = batch;
  let sliceStart = performance.now();
  for (let at = 0; at < utf8.length; ) {
    const block = engine.csvBlock(utf8, at, encoding, fields);
    at = block.end;
    await write(block.bytes);
    if (performance.now() - sliceStart >= SLICE_MS) {
      await pause(at, utf8.length);
      sliceStart = performance.now();
    }
  }
}
