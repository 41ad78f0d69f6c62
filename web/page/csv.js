// The batch as a CSV file for spreadsheets: a header, then input, number and answer per line,
// RFC 4180 quoting and CRLF. UTF-8 starts with a byte order mark so that Excel reads it as
// UTF-8; Shift-JIS takes the library's answers as they are and has the engine encode the rest
// as kobal-lookup does.
import { ByteSink } from "./byte-sink.js";

const CSV_HEADER = ["入力", "番号", "結果"];
const CRLF = Uint8Array.of(0x0d, 0x0a);

// A field, quoted with its quotes doubled when it holds a comma, a quote, CR or LF. One that a
// spreadsheet would evaluate (=, +, -, @, TAB or CR first) gets a leading apostrophe and quotes,
// as kobal-lookup writes it, so that Excel and LibreOffice show it as text (CSV injection).
function csvField(text) {
  if (/^[=+\-@\t\r]/.test(text)) return `"'${text.replaceAll('"', '""')}"`;
  return /[",\r\n]/.test(text) ? `"${text.replaceAll('"', '""')}"` : text;
}

// A Blob of the CSV of `batch` in "utf-8" or "shift_jis", built in slices between pauses.
export async function makeCsv(batch, table, encoding, pause) {
  const parts = [];
  if (encoding === "utf-8") {
    const encoder = new TextEncoder();
    parts.push(new Uint8Array([0xef, 0xbb, 0xbf]));
    let chunk = CSV_HEADER.join(",") + "\r\n";
    for (let line = 0; line < batch.lineCount; line++) {
      const answer = table.answerOf(line).text;
      chunk += `${csvField(table.textOf(line))},${table.numberOf(line)},${csvField(answer)}\r\n`;
      if (chunk.length > 1 << 20) {
        parts.push(encoder.encode(chunk));
        chunk = "";
        await pause();
      }
    }
    parts.push(encoder.encode(chunk));
    return new Blob(parts, { type: "text/csv;charset=utf-8" });
  }
  // The records go to the encoder a slice at a time, each one's text ending in an LF where the
  // library's own bytes of its answer go: no line of input holds an LF.
  const { engine } = table;
  parts.push(engine.encodeCp932(CSV_HEADER.join(",") + "\r\n"));
  for (let first = 0; first < batch.lineCount; ) {
    let text = "";
    let end = first;
    for (; end < batch.lineCount && text.length < 1 << 20; end++)
      text += `${csvField(table.textOf(end))},${table.numberOf(end)},\n`;
    const encoded = engine.encodeCp932(text);
    const sink = new ByteSink(encoded.length + 32 * (end - first));
    for (let line = first, at = 0; line < end; line++) {
      const newline = encoded.indexOf(10, at);
      sink.append(encoded.subarray(at, newline));
      at = newline + 1;
      const answer = table.answerOf(line);
      // No answer holds what CSV quotes, but one that did gets quoted.
      const field = csvField(answer.text);
      sink.append(field === answer.text ? answer.bytes : engine.encodeCp932(field));
      sink.append(CRLF);
    }
    parts.push(sink.bytes);
    first = end;
    await pause();
  }
  return new Blob(parts, { type: "text/csv;charset=shift_jis" });
}
