// Where a batch's CSV goes. Where the browser lets the page write a file the user picks
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

// Saves the CSV of `batch` as `fileName`; resolves to { bytes, streamed } once it is written
// (streamed) or handed to the browser's downloads. pause(done, total) runs between chunks.
export async function saveCsv(batch, table, encoding, fileName, pause) {
  if (typeof window.showSaveFilePicker === "function") {
    let handle;
    try {
      handle = await window.showSaveFilePicker({
        suggestedName: fileName,
        types: [{ description: "CSV", accept: { "text/csv": [".csv"] } }],
      });
    } catch (error) {
      if (error.name === "AbortError") throw new SaveCancelled();
      throw error;
    }
    const file = await handle.createWritable();
    let bytes = 0;
    try {
      await writeCsv(batch, table, encoding, (chunk) => ((bytes += chunk.length), file.write(chunk)), pause);
      await file.close();
    } catch (error) {
      await file.abort().catch(() => {}); // the file keeps what it held before
      throw error;
    }
    return { bytes, streamed: true };
  }

  const estimate = estimateCsvSize(batch, table, encoding);
  if (estimate > DOWNLOAD_LIMIT) throw new SaveRefused(estimate);
  // Each chunk copied into a Blob of its own; the file is made of them, not copied again.
  const parts = [];
  let size = 0;
  await writeCsv(
    batch,
    table,
    encoding,
    (chunk) => {
      size += chunk.length;
      if (size > DOWNLOAD_LIMIT) throw new SaveRefused(size);
      parts.push(new Blob([chunk]));
    },
    pause,
  );
  const link = document.createElement("a");
  link.href = URL.createObjectURL(
    new Blob(parts, { type: `text/csv;charset=${encoding === "utf-8" ? "utf-8" : "shift_jis"}` }),
  );
  link.download = fileName;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 60_000);
  return { bytes: size, streamed: false };
}
