// Starts the page: the lookup window and the batch view, once the engine has compiled. The build
// bundles this and what it imports, the WebAssembly bytes among them, into one classic script.
import wasmBytes from "kobal-wasm";
import { createKobal } from "../module/core.js";
import { BatchCancelled, pauseForPage, runBatch } from "./batch.js";
import { BatchTable } from "./batch-table.js";
import { makeCsv } from "./csv.js";
import { isRecordFile, RecordsView } from "./records.js";
import { LookupWindow } from "./lookup-window.js";
import { INPUT_LIMIT } from "./text-input.js";
import { showWindowIcon } from "./window-icon.js";

showWindowIcon();

// Until the engine is there, Enter in the number field must not submit the form anywhere.
document.getElementById("lookup-form").addEventListener("submit", (event) => event.preventDefault());

const batchView = {
  text: document.getElementById("batch-text"),
  file: document.getElementById("batch-file"),
  run: document.getElementById("batch-run"),
  progress: document.getElementById("batch-progress"),
  message: document.getElementById("batch-message"),
  csvButtons: [document.getElementById("csv-utf8"), document.getElementById("csv-shift-jis")],
  table: document.getElementById("batch-lines"),
};

// The batch's one-line message; its state ("running", "done", "empty", "failed") is also kept as
// an attribute for scripts that drive the page.
function say(text, state) {
  batchView.message.textContent = text;
  if (state !== undefined) batchView.message.dataset.state = state;
}

function startBatchView(engine) {
  const table = new BatchTable(document.getElementById("batch-table"), engine);
  const records = new RecordsView(
    engine,
    {
      view: document.getElementById("records"),
      column: document.getElementById("records-column"),
      table: document.getElementById("records-table"),
      csv: document.getElementById("records-csv"),
      xlsx: document.getElementById("records-xlsx"),
    },
    say,
  );
  let current = 0; // the number of the latest batch; an older one stops at its next pause
  let shown = null; // the batch in the table, and the name its CSV gets

  const setBusy = (busy) => {
    batchView.progress.hidden = !busy;
    for (const button of batchView.csvButtons) button.disabled = busy || shown === null;
  };

  // load() resolves to { text } or a file's { bytes }; started: when the user asked, for the
  // elapsed time. A newer batch makes this one stop at its next pause.
  const start = async (load, name, started) => {
    const id = ++current;
    const isCurrent = () => id === current;
    batchView.message.dataset.batch = String(id);
    shown = null;
    table.show(null);
    records.hide();
    batchView.table.hidden = false;
    setBusy(true);
    batchView.progress.value = 0;
    say("読み込み中…", "running");
    try {
      const source = await load();
      if (!isCurrent()) return;
      // A list of records (a customer list): answered in place, by the chosen column.
      if (source.bytes !== undefined && isRecordFile(engine, source.bytes)) {
        batchView.table.hidden = true;
        records.show(name, source.bytes);
        return;
      }
      const batch = await runBatch(engine, source, {
        onProgress: (done, total, unit, lines) => {
          batchView.progress.value = total === 0 ? 1 : done / total;
          if (unit === "bytes") say(`読み込み中… ${Math.floor((100 * done) / total)}%`);
          else say(`${lines.toLocaleString("ja-JP")} 行… ${Math.floor((100 * done) / total)}%`);
        },
        isCurrent,
      });
      if (batch.lineCount === 0) {
        say("行がありません。", "empty");
      } else {
        shown = { batch, name: name.replace(/\.[^.]*$/, "") };
        table.show(batch);
        const elapsed = performance.now() - started;
        batchView.message.dataset.elapsedMs = elapsed.toFixed(1);
        say(
          `${batch.lineCount.toLocaleString("ja-JP")} 行 (${batch.encoding}) を ${Math.round(elapsed)} ms で調べました。`,
          "done",
        );
      }
    } catch (error) {
      if (error instanceof BatchCancelled) return;
      say(`調べられませんでした: ${error.message}`, "failed");
    } finally {
      if (isCurrent()) setBusy(false);
    }
  };

  const tooLarge = (what) => new Error(`${what}は大きすぎます (${INPUT_LIMIT / 2 ** 20} MB まで)`);
  batchView.run.addEventListener("click", () => {
    const text = batchView.text.value;
    start(
      async () => {
        if (text.length > INPUT_LIMIT) throw tooLarge("貼り付けたテキスト");
        return { text };
      },
      "kobal",
      performance.now(),
    );
  });

  const open = (file) =>
    start(
      async () => {
        if (file.size > INPUT_LIMIT) throw tooLarge(`${file.name} `);
        try {
          return { bytes: new Uint8Array(await file.arrayBuffer()) };
        } catch (error) {
          throw new Error(`${file.name} を読めませんでした (${error.message})`);
        }
      },
      file.name,
      performance.now(),
    );
  batchView.file.addEventListener("change", () => {
    const [file] = batchView.file.files;
    batchView.file.value = ""; // so that choosing the same file again reads it again
    if (file) open(file);
  });
  const dropZone = document.querySelector(".batch");
  dropZone.addEventListener("dragover", (event) => event.preventDefault());
  dropZone.addEventListener("drop", (event) => {
    const [file] = event.dataTransfer.files;
    if (!file) return;
    event.preventDefault();
    open(file);
  });

  batchView.csvButtons.forEach((button, index) => {
    const encoding = index === 0 ? "utf-8" : "shift_jis";
    button.addEventListener("click", async () => {
      if (shown === null) return;
      const { batch, name } = shown;
      const done = batchView.message.textContent;
      say("CSV を作成中…");
      try {
        const blob = await makeCsv(batch, table, encoding, pauseForPage);
        const link = document.createElement("a");
        link.href = URL.createObjectURL(blob);
        link.download = `${name}-kobal${encoding === "utf-8" ? "" : "-sjis"}.csv`;
        link.click();
        setTimeout(() => URL.revokeObjectURL(link.href), 60_000);
        if (shown?.batch === batch) say(done);
      } catch (error) {
        if (shown?.batch === batch) say(`CSV を作れませんでした: ${error.message}`);
      }
    });
  });
}

createKobal(wasmBytes).then(
  (engine) => {
    new LookupWindow(engine);
    startBatchView(engine);
    document.documentElement.dataset.ready = "true";
  },
  (error) => {
    document.getElementById("result").value = `このブラウザーでは動きません: ${error.message}`;
    say("このブラウザーでは WebAssembly を使えないため、調べられません。");
  },
);
