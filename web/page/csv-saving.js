// Where a batch's CSV, or a list's, goes. Where the browser lets the page write a file the user picks
// (showSaveFilePicker, in Chromium), the CSV streams into it a chunk at a time, of any size.
// Elsewhere it is built in memory and downloaded, which browsers do reliably only up to some
// hundreds of megabytes (a 960 MB download was cancelled without a word): a larger one is
// refused before any work, with what to do instead.
import { estimateCsvSize, writeCsv } from "./csv.js";

export const DOWNLOAD_LIMIT = 480 << 20; // bytes; 8 M lines (about 480 MB) downloaded in Chromium

export class SaveRefused extends Error {
  constructor(size) {
    super(`${size} bytes`);
    this.size = size; // bytes the CSV would take, at least
  }
}
export class SaveCancelled extends Error {}

export const megabytes = (bytes) => `${Math.ceil(bytes / 2 ** 20).toLocaleString("ja-JP")} MB`;

// Saves the CSV of `batch` with `fields` as `fileName`; resolves to { bytes, streamed } once it is written
// (streamed) or handed to the browser's downloads. pause(done, total) runs between chunks.
export function saveCsv(batch, table, encoding, fields, fileName, pause) {
  return saveFile(
    fileName,
    {
      type: `text/csv;charset=${encoding === "utf-8" ? "utf-8" : "shift_jis"}`,
      accept: { "text/csv": [".csv"] },
      estimate: () => estimateCsvSize(batch, table, encoding, fields),
      write: (write, pause) => writeCsv(batch, table, encoding, fields, write, pause),
    },
    pause,
  );
}

// Saves a file made a chunk at a time: `contents` is { type (its MIME type), accept (the
// picker's { type: [extensions] }), estimate() (about its size, before any work), write(write,
// pause) (hands each chunk to `await write(bytes)`, then awaits pause(done, total)) }.
export async function saveFile(fileName, contents, pause) {
  if (typeof window.showSaveFilePicker === "function") {
    let handle;
    try {
      handle = await window.showSaveFilePicker({
        suggestedName: fileName,
        types: [{ description: fileName.replace(/^.*\./, "").toUpperCase(), accept: contents.accept }],
      });
    } catch (error) {
      if (error.name === "AbortError") throw new SaveCancelled();
      throw error;
    }
    const file = await handle.createWritable();
    let bytes = 0;
    try {
      await contents.write((chunk) => ((bytes += chunk.length), file.write(chunk)), pause);
      await file.close();
    } catch (error) {
      await file.abort().catch(() => {}); // the file keeps what it held before
      throw error;
    }
    return { bytes, streamed: true };
  }

  const estimate = contents.estimate();
  if (estimate > DOWNLOAD_LIMIT) throw new SaveRefused(estimate);
  // Each chunk copied into a Blob of its own; the file is made of them, not copied again.
  const parts = [];
  let size = 0;
  await contents.write((chunk) => {
    size += chunk.length;
    if (size > DOWNLOAD_LIMIT) throw new SaveRefused(size);
    parts.push(new Blob([chunk]));
  }, pause);
  const link = document.createElement("a");
  link.href = URL.createObjectURL(new Blob(parts, { type: contents.type }));
  link.download = fileName;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 60_000);
  return { bytes: size, streamed: false };
}

// What the page says once a save of `fileName` ended: [outcome, text], the outcome "done",
// "cancelled", "refused" or "failed"; `result` is saveFile's, or what it threw.
export function saveOutcome(fileName, result) {
  if (result instanceof SaveCancelled) return ["cancelled", "CSV の保存を取り消しました。"];
  if (result instanceof SaveRefused)
    return [
      "refused",
      `CSV は約 ${megabytes(result.size)} になり、このブラウザーがダウンロードで保存できる ` +
        `${megabytes(DOWNLOAD_LIMIT)} を超えるため、保存しません。ファイルを分けて開くか、` +
        "ファイルに直接保存できるブラウザー (Chrome、Edge) か kobal-lookup を使ってください。",
    ];
  if (result instanceof Error) return ["failed", `CSV を保存できませんでした: ${result.message}`];
  const how = result.streamed ? "保存しました" : "ダウンロードしました";
  return ["done", `${fileName} (${megabytes(result.bytes)}) を${how}。`];
}
