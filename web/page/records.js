// A customer list opened as records: a CSV, TSV or Unicode text file read by kobal-lookup's own
// reader in the WebAssembly, one column chosen from its header (the one named like 電話番号,
// TEL or FAX first), each record shown with the chosen fields of that column's answer as
// kobal-lookup's --fields adds them, and saved as CSV in the file's own form (cells a
// spreadsheet would evaluate made text) or as an Excel workbook, every cell text, made in a
// worker. The file is read a piece at a time between pauses, keeping only the records shown: a
// list of millions of records is answered again, a piece at a time, when it is saved.
import workbookWorker from "kobal-workbook-worker";
import { pauseForPage } from "./batch.js";
import { ByteSink } from "./byte-sink.js";
import { megabytes, saveFile, saveOutcome } from "./csv-saving.js";

// The table shows the first records, the saved files hold them all. A table of 500 took the
// page over 100 ms to lay out (3,000 cells of an automatic table layout); 200 about half of that.
const SHOWN_ROWS = 200;
const PIECE_BYTES = 1 << 18; // bytes of the file read between pauses: some tens of milliseconds
const START_BYTES = 1 << 16; // the file's start, which settles its encoding, delimiter and header
const CHUNK_BYTES = 1 << 21; // bytes of CSV written at a time, at least
const SHEET_ROWS = 1_048_576; // an Excel sheet's rows, its header among them
// Records a workbook is made of in the page. It is made off the page (workbook-worker.js), but
// write-excel-file holds all of it in memory: 200,000 records took 0.9 GB and 11 s, a million
// 3.9 GB and a minute.
const WORKBOOK_RECORDS = 100_000;

// The records of the file's start, which settles its encoding, delimiter and header.
function readStart(engine, bytes) {
  const reader = engine.recordsReader([], "auto");
  reader.feed(bytes.subarray(0, START_BYTES), true);
  return reader.read();
}

// Whether the file is a list of records rather than one number a line: its first record has
// several cells.
export function isRecordFile(engine, bytes) {
  const first = readStart(engine, bytes).rows[0];
  return first !== undefined && first.length > 1;
}

// The workbook of the list `bytes` with its column `column` answered, made in a worker so that
// the page goes on meanwhile: { blob, warnings }.
function makeWorkbook(engine, bytes, column, fields) {
  const script = URL.createObjectURL(new Blob([workbookWorker], { type: "text/javascript" }));
  const worker = new Worker(script);
  return new Promise((resolve, reject) => {
    worker.onmessage = ({ data }) => (data.error === undefined ? resolve(data) : reject(new Error(data.error)));
    worker.onerror = (event) => {
      event.preventDefault();
      reject(new Error(event.message || "ブックを作る処理が止まりました"));
    };
    worker.postMessage({ compiled: engine.compiled, bytes, column, fields });
  }).finally(() => {
    worker.terminate();
    URL.revokeObjectURL(script);
  });
}

// What the page says of a list that it will not make into a workbook, and what to do instead.
function workbookRefusal(records) {
  const count = records.toLocaleString("ja-JP");
  const why =
    records + 1 > SHEET_ROWS
      ? `Excel のシートは ${SHEET_ROWS.toLocaleString("ja-JP")} 行までのため`
      : `このページがブックを作れるのは ${WORKBOOK_RECORDS.toLocaleString("ja-JP")} 件までのため`;
  return (
    `${count} 件のレコードは、${why}、Excel ブックにしません。CSV で保存するか、ファイルを分けて開くか、` +
    "kobal-lookup (-f xlsx、シートを分けて書きます) を使ってください。"
  );
}

export class RecordsView {
  // fields: the fields of each answered cell to begin with, as the chooser has them.
  constructor(engine, elements, say, showProgress, fields) {
    this.engine = engine;
    this.fields = fields;
    this.answering = 0; // the latest answer(); an older one stops at its next pause
    this.saveRunning = false;
    this.fieldsChanged = false; // during a save, which reads with the fields it began with
    this.elements = elements; // { view, column, table, csv, xlsx, message }
    this.say = say;
    this.showProgress = showProgress; // (fraction or null, text)
    this.file = null;
    this.busy = false;
    elements.column.addEventListener("change", () => this.answer(Number(elements.column.value)));
    elements.csv.addEventListener("click", () => this.saveCsv());
    elements.xlsx.addEventListener("click", () => this.saveXlsx());
  }

  hide() {
    this.elements.view.hidden = true;
    this.file = null;
  }

  // The fields chosen anew: the records are answered again with them, once a save under way ends.
  showFields(fields) {
    this.fields = fields;
    if (this.file === null) return;
    if (this.saveRunning) {
      this.fieldsChanged = true;
      return;
    }
    this.say("読み込み中…", "running");
    this.answer(this.file.column);
  }

  setBusy(busy) {
    this.busy = busy;
    const { column, csv, xlsx } = this.elements;
    for (const control of [column, csv, xlsx]) control.disabled = busy;
  }

  // Feeds the whole of `bytes` to `reader` a piece at a time, handing each piece's CSV to
  // `await use(csv)` and pausing after it; false when `going()` turned false at a pause (the
  // reader is then left as it is: another file may have taken the engine's).
  async feed(reader, bytes, going, progress, use) {
    for (let at = 0; ; ) {
      const end = Math.min(at + PIECE_BYTES, bytes.length);
      const csv = reader.feed(bytes.subarray(at, end), end === bytes.length);
      at = end;
      if (use) await use(csv);
      progress(at / bytes.length);
      await pauseForPage();
      if (!going()) return false;
      if (at === bytes.length) return true;
    }
  }

  // Shows the records of `bytes`, the chosen column answered; resolves once they are read, or
  // when isCurrent() turns false.
  async show(name, bytes, isCurrent) {
    const first = readStart(this.engine, bytes); // the header, and the column to suggest
    const header = first.rows[0] ?? [];
    this.file = { name, bytes, header: first.header };
    const select = this.elements.column;
    select.replaceChildren(
      ...header.map((cell, index) => new Option(first.header && cell ? cell : `${index + 1} 列目`, index)),
    );
    const column = first.suggested[0] ?? 0;
    select.value = String(column);
    this.elements.view.hidden = false;
    return this.answer(column, first.encoding, isCurrent);
  }

  async answer(column, encoding, isCurrent = () => true) {
    const file = this.file;
    const { fields } = this;
    const id = ++this.answering;
    const reader = this.engine.recordsReader([column], "auto", { kept: SHOWN_ROWS + 1, fields });
    this.setBusy(true);
    const going = () => isCurrent() && this.file === file && this.answering === id;
    let read = null;
    try {
      const progress = (done) => this.showProgress(done, `読み込み中… ${Math.floor(100 * done)}%`);
      if (await this.feed(reader, file.bytes, going, progress)) read = reader.read();
    } finally {
      if (this.file === file && this.answering === id) this.setBusy(false);
    }
    if (read === null) return null;
    this.showProgress(null);
    Object.assign(file, { read, column, fields, records: read.count - (read.header ? 1 : 0) });
    const { rows } = read;
    const head = this.elements.table.querySelector("thead");
    const body = this.elements.table.querySelector("tbody");
    const cellsOf = (row, tag) =>
      row.map((text) => {
        const cell = document.createElement(tag);
        cell.textContent = text;
        return cell;
      });
    const headerRow = document.createElement("tr");
    headerRow.append(...cellsOf(read.header ? rows[0] : rows[0].map((_, i) => `${i + 1}`), "th"));
    head.replaceChildren(headerRow);
    body.replaceChildren(
      ...rows.slice(read.header ? 1 : 0, (read.header ? 1 : 0) + SHOWN_ROWS).map((row) => {
        const line = document.createElement("tr");
        line.append(...cellsOf(row, "td"));
        return line;
      }),
    );
    const told = read.warnings.length > 0 ? ` 注意: ${read.warnings.join(" / ")}` : "";
    this.say(
      `${file.records.toLocaleString("ja-JP")} 件のレコード (${encoding ?? read.encoding}, ` +
        `${read.delimiter === "\t" ? "タブ" : `「${read.delimiter}」`}区切り)。${told}`,
      "done",
    );
    return read;
  }

  // Runs a save: its outcome ("running", then "done", "cancelled", "refused" or "failed") kept
  // on the message for scripts, the controls held until it ends.
  async saving(fileName, what, save) {
    if (this.file === null || this.busy) return;
    const file = this.file;
    this.setBusy(true);
    this.saveRunning = true;
    this.elements.message.dataset.save = "running";
    this.say(`${fileName} を保存しています…`);
    // The whole file read again, a piece at a time; stopped when another file takes its place.
    const readAll = async (reader, use) => {
      const progress = (done) => this.showProgress(done, `保存中… ${Math.floor(100 * done)}%`);
      if (!(await this.feed(reader, file.bytes, () => this.file === file, progress, use)))
        throw new Error("別のファイルを開いたため、やめました");
    };
    let outcome;
    try {
      outcome = await save(file, readAll);
    } catch (error) {
      outcome =
        error.outcome ??
        (what === "CSV" ? saveOutcome(fileName, error) : ["failed", `${what}を保存できませんでした: ${error.message}`]);
    }
    this.saveRunning = false;
    this.elements.message.dataset.save = outcome[0];
    if (this.file !== file) return; // the page now tells of the file that took its place
    this.setBusy(false);
    this.showProgress(null);
    this.say(outcome[1]);
    if (this.fieldsChanged) {
      this.fieldsChanged = false;
      this.showFields(this.fields);
    }
  }

  saveCsv() {
    const { name } = this.file ?? {};
    const extension = name?.match(/\.[^.]*$/)?.[0] ?? ".csv";
    const fileName = `${name?.replace(/\.[^.]*$/, "")}-kobal${extension}`;
    return this.saving(fileName, "CSV", async (file, readAll) => {
      // About as many bytes per byte of the file as the records shown take with their answers.
      const { rows } = file.read;
      const all = rows.flat().join("").length + rows.length * (rows[0]?.length ?? 0);
      const added = file.fields.length;
      const answers = rows.flatMap((row) => row.slice(-added)).join("").length + added * rows.length;
      const growth = all / Math.max(1, all - answers);
      const saved = await saveFile(
        fileName,
        {
          type: extension === ".csv" ? "text/csv" : "text/plain",
          accept: { [extension === ".csv" ? "text/csv" : "text/plain"]: [extension] },
          estimate: () => Math.round(file.bytes.length * growth),
          write: async (write) => {
            const reader = this.engine.recordsReader([file.column], "auto", {
              kept: 0,
              csv: "guarded",
              fields: file.fields,
            });
            const sink = new ByteSink(CHUNK_BYTES + 4 * PIECE_BYTES);
            await readAll(reader, async (csv) => {
              sink.append(csv);
              if (sink.length < CHUNK_BYTES) return;
              await write(sink.bytes);
              sink.clear();
            });
            if (sink.length > 0) await write(sink.bytes);
          },
        },
        () => {},
      );
      return saveOutcome(fileName, saved);
    });
  }

  saveXlsx() {
    const fileName = `${this.file?.name.replace(/\.[^.]*$/, "")}-kobal.xlsx`;
    return this.saving(fileName, "Excel ブック", async (file) => {
      if (file.records > WORKBOOK_RECORDS)
        throw Object.assign(new Error(), { outcome: ["refused", workbookRefusal(file.records)] });
      const { blob, warnings } = await makeWorkbook(this.engine, file.bytes, file.column, file.fields);
      const link = document.createElement("a");
      link.href = URL.createObjectURL(blob);
      link.download = fileName;
      link.click();
      setTimeout(() => URL.revokeObjectURL(link.href), 60_000);
      const told = warnings.length > 0 ? ` 注意: ${warnings.join(" / ")}` : "";
      return ["done", `${fileName} (${megabytes(blob.size)}) をダウンロードしました。${told}`];
    });
  }
}
