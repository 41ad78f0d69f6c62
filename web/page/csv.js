// The batch as a CSV file for spreadsheets: a header, then input, number and answer per line,
// RFC 4180 quoting and CRLF. UTF-8 starts with a byte order mark so that Excel reads it as
// UTF-8; Shift-JIS takes the library's answers as they are and has the engine encode the rest
// as kobal-lookup does.
import { ByteSink } from "./byte-sink.js";

const CSV_HEADER = ["入力", "番号", "結果"];
const CRLF = Uint8Array.of(0x0d, 0x0a);
const PIECE_CHARACTERS = 1 << 14; // text made and encoded at a time
const CHUNK_BYTES = 1 << 21; // bytes written at a time, at most
const CHUNK_MS = 10; // time spent making a chunk, at most, so that the page stays responsive

// A field, quoted with its quotes doubled when it holds a comma, a quote, CR or LF. One that a
// spreadsheet would evaluate (=, +, -, @, TAB or CR first) gets a leading apostrophe and quotes,
// as kobal-lookup writes it, so that Excel and LibreOffice show it as text (CSV injection).
function csvField(text) {
  if (/^[=+\-@\t\r]/.test(text)) return `"'${text.replaceAll('"', '""')}"`;
  return /[",\r\n]/.test(text) ? `"${text.replaceAll('"', '""')}"` : text;
}

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

// Writes the CSV of `batch` in "utf-8" or "shift_jis" a chunk at a time: `await write(bytes)`
// for each, then `await pause(linesDone, lineCount)`. A chunk is made of small pieces of text in
// one buffer, used again for the next chunk (write must have copied or written the bytes when it
// resolves): large strings, or megabytes made and dropped many times a second, would have the
// garbage collector hold up the page for tens of milliseconds at a time.
export async function writeCsv(batch, table, encoding, write, pause) {
  const count = batch.lineCount;
  const { engine } = table;
  const encoder = new TextEncoder();
  const sink = new ByteSink(CHUNK_BYTES + 4 * PIECE_CHARACTERS);
  const header = CSV_HEADER.join(",") + "\r\n";
  if (encoding === "utf-8") sink.appendText(encoder, "\ufeff" + header);
  else sink.append(engine.encodeCp932(header));
  for (let first = 0; first < count; ) {
    const started = performance.now();
    while (first < count && sink.length < CHUNK_BYTES && performance.now() - started < CHUNK_MS) {
      let text = "";
      let end = first;
      if (encoding === "utf-8") {
        for (; end < count && text.length < PIECE_CHARACTERS; end++) {
          const answer = table.answerOf(end, batch).text;
          text += `${csvField(table.textOf(end, batch))},${table.numberOf(end, batch)},${csvField(answer)}\r\n`;
        }
        sink.appendText(encoder, text);
      } else {
        // The records go to the encoder a piece at a time, each one's text ending in an LF where
        // the library's own bytes of its answer go: no line of input holds an LF.
        for (; end < count && text.length < PIECE_CHARACTERS; end++)
          text += `${csvField(table.textOf(end, batch))},${table.numberOf(end, batch)},\n`;
        const encoded = engine.encodeCp932(text);
        for (let line = first, at = 0; line < end; line++) {
          const newline = encoded.indexOf(10, at);
          sink.append(encoded.subarray(at, newline));
          at = newline + 1;
          const answer = table.answerOf(line, batch);
          // No answer holds what CSV quotes, but one that did gets quoted.
          const field = csvField(answer.text);
          sink.append(field === answer.text ? answer.bytes : engine.encodeCp932(field));
          sink.append(CRLF);
        }
      }
      first = end;
    }
    await write(sink.bytes);
    sink.clear();
    await pause(first, count);
  }
  if (sink.length > 0) await write(sink.bytes); // a batch without lines: the header
}
