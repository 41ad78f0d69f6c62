// The batch as a CSV file for spreadsheets: a header, then input, number and answer per line,
// RFC 4180 quoting and CRLF. UTF-8 starts with a byte order mark so that Excel reads it as
// UTF-8; Shift-JIS takes the library's answers as they are and encodes the rest.
"use strict";

/* exported makeCsv */

const CSV_HEADER = ["入力", "番号", "結果"];

// A field, quoted with its quotes doubled when it holds a comma, a quote, CR or LF.
function csvField(text) {
  return /[",\r\n]/.test(text) ? `"${text.replaceAll('"', '""')}"` : text;
}

// Code page 932 bytes of a text, as kobal-lookup writes them: the inverse of the browser's own
// decoder (the same pairs as Microsoft's table), the first pair winning where a character has
// two, and the six characters that Windows also writes with their JIS X 0208 look-alikes.
// Characters the code page lacks become "?". Made on first use.
const encodeShiftJis = (() => {
  const LOOK_ALIKES = [
    [0xa2, 0x8191],
    [0xa3, 0x8192],
    [0xac, 0x81ca],
    [0x2016, 0x8161],
    [0x2212, 0x817c],
    [0x301c, 0x8160],
  ];
  let table = null;
  const build = () => {
    table = new Map(LOOK_ALIKES);
    const decoder = new TextDecoder("shift_jis", { fatal: true });
    const pair = new Uint8Array(2);
    for (let lead = 0x81; lead <= 0xfc; lead++) {
      if (lead > 0x9f && lead < 0xe0) continue;
      for (let trail = 0x40; trail <= 0xfc; trail++) {
        pair[0] = lead;
        pair[1] = trail;
        let text;
        try {
          text = decoder.decode(pair);
        } catch {
          continue;
        }
        const code = text.codePointAt(0);
        if (text.length === 1 && !table.has(code)) table.set(code, (lead << 8) | trail);
      }
    }
  };
  return (text, out) => {
    if (table === null) build();
    for (const char of text) {
      const code = char.codePointAt(0);
      const bytes =
        code < 0x80 ? code : code >= 0xff61 && code <= 0xff9f ? code - 0xff61 + 0xa1 : table.get(code);
      if (bytes === undefined) out.push(0x3f);
      else if (bytes > 0xff) out.push(bytes >> 8, bytes & 0xff);
      else out.push(bytes); // ASCII, or half-width katakana
    }
  };
})();

// A Blob of the CSV of `batch` in "utf-8" or "shift_jis", built in slices between pauses.
async function makeCsv(batch, table, encoding, pause) {
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
  let bytes = [];
  encodeShiftJis(CSV_HEADER.join(",") + "\r\n", bytes);
  for (let line = 0; line < batch.lineCount; line++) {
    encodeShiftJis(`${csvField(table.textOf(line))},${table.numberOf(line)},`, bytes);
    const answer = table.answerOf(line);
    // The library's own bytes; no answer holds what CSV quotes, but one that did gets quoted.
    if (csvField(answer.text) === answer.text) bytes.push(...answer.bytes);
    else encodeShiftJis(csvField(answer.text), bytes);
    bytes.push(0x0d, 0x0a);
    if (bytes.length > 1 << 20) {
      parts.push(new Uint8Array(bytes));
      bytes = [];
      await pause();
    }
  }
  parts.push(new Uint8Array(bytes));
  return new Blob(parts, { type: "text/csv;charset=shift_jis" });
}
