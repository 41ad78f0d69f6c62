// Starts the page: the lookup window and the batch view, once the engine has compiled. The build
// bundles this and what it imports, the WebAssembly bytes among them, into one classic script.
import wasmBytes from "kobal-wasm";
import { createKobal } from "../module/core.js";
import { BatchCancelled, pauseForPage, runBatch } from "./batch.js";
import { BatchTable } from "./batch-table.js";
import { saveOutcome as csvSaveOutcome, saveCsv } from "./csv-saving.js";
import { FieldChooser } from "./field-chooser.js";
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
  progressText: document.getElementById("batch-progress-text"),
  message: document.getElementById("batch-message"),
  csvButtons: [document.getElementById("csv-utf8"), document.getElementById("csv-shift-jis")],
  table: document.getElementById("batch-lines"),
};

const PASTE_KEPT = 1 << 20; // characters a paste puts in the text area; a longer one is answered as it is
const ENCODING_SHOWN = { "UTF-8+Shift-JIS": "UTF-8、一部の行は Shift-JIS" };

// The batch's one-line message, announced: it changes at a start, an end or a failure only. Its
// state ("running", "done", "empty", "failed") is also kept as an attribute for scripts that
// drive the page.
function say(text, state) {
  batchView.message.textContent = text;
  if (state !== undefined) batchView.message.dataset.state = state;
}

// The progress bar and its percentage beside it, which is not announced.
function showProgress(fraction, text = "") {
  batchView.progress.hidden = fraction === null;
  batchView.progressText.textContent = fraction === null ? "" : text;
  if (fraction !== null) batchView.progress.value = fraction;
}

const percent = (done, total) => `${total === 0 ? 100 : Math.floor((100 * done) / total)}%`;

function startBatchView(engine) {
  const table = new BatchTable(document.getElementById("batch-table"), engine);
  const chooser = new FieldChooser(document.getElementById("batch-fields"), (fields) => table.showFields(fields));
  table.showFields(chooser.fields);
  const records = new RecordsView(
    engine,
    {
      view: document.getElementById("records"),
      column: document.getElementById("records-column"),
      table: document.getElementById("records-table"),
      csv: document.getElementById("records-csv"),
      xlsx: document.getElementById("records-xlsx"),
      message: batchView.message,
    },
    say,
    showProgress,
  );
  let current = 0; // the number of the latest batch; an older one stops at its next pause
  let shown = null; // the batch in the table, and the name its CSV starts with
  let busy = false;
  let saving = false;

  const updateButtons = () => {
    for (const button of batchView.csvButtons) button.disabled = busy || saving || shown === null;
  };

  // load() resolves to { text } or a file's { bytes }, or throws before anything is read (a
  // refused file leaves the shown batch as it was); fileName is null for a pasted text; started:
  // when the user asked, for the elapsed time. A newer batch makes this one stop at its next
  // pause.
  const start = async (load, fileName, started, startMessage = "読み込み中…") => {
    const id = ++current;
    const isCurrent = () => id === current;
    batchView.message.dataset.batch = String(id);
    busy = true;
    updateButtons();
    showProgress(0);
    say(startMessage, "running");
    try {
      const source = await load();
      if (!isCurrent()) return;
      shown = null;
      table.show(null);
      records.hide();
      batchView.table.hidden = false;
      if (fileName !== null) batchView.text.value = ""; // the list shown is the file's
      // A list of records (a customer list): answered in place, by the chosen column.
      if (source.bytes !== undefined && isRecordFile(engine, source.bytes)) {
        batchView.table.hidden = true;
        await records.show(fileName, source.bytes, isCurrent);
        return;
      }
      const batch = await runBatch(engine, source, {
        onProgress: (done, total, unit, lines) => {
          const step = unit === "bytes" ? "読み込み中…" : `${lines.toLocaleString("ja-JP")} 行…`;
          showProgress(total === 0 ? 1 : done / total, `${step} ${percent(done, total)}`);
        },
        isCurrent,
      });
      const from = fileName === null ? "" : `${fileName} の `;
      if (batch.lineCount === 0) {
        say(`${from}行がありません。`, "empty");
      } else {
        shown = { batch, base: fileName === null ? "kobal" : `${fileName.replace(/\.[^.]*$/, "")}-kobal` };
        table.show(batch);
        const elapsed = performance.now() - started;
        batchView.message.dataset.elapsedMs = elapsed.toFixed(1);
        const encoding = ENCODING_SHOWN[batch.encoding] ?? batch.encoding;
        say(
          `${from}${batch.lineCount.toLocaleString("ja-JP")} 行 (${encoding}) を ${Math.round(elapsed)} ms で調べました。`,
          "done",
        );
      }
    } catch (error) {
      if (error instanceof BatchCancelled) return;
      say(`調べられませんでした: ${error.message}`, "failed");
    } finally {
      if (isCurrent()) {
        busy = false;
        if (!saving) showProgress(null);
        updateButtons();
      }
    }
  };

  const tooLarge = (what) => new Error(`${what}は大きすぎます (${INPUT_LIMIT / 2 ** 20} MB まで)`);
  const runText = (text, startMessage) =>
    start(
      async () => {
        if (text.length > INPUT_LIMIT) throw tooLarge("貼り付けたテキスト");
        return { text };
      },
      null,
      performance.now(),
      startMessage,
    );
  batchView.run.addEventListener("click", () => runText(batchView.text.value));
  // Tens of millions of characters would hold up the text area for seconds: such a paste is
  // answered straight away, without going into it.
  batchView.text.addEventListener("paste", (event) => {
    const text = event.clipboardData?.getData("text/plain") ?? "";
    if (text.length <= PASTE_KEPT) return;
    event.preventDefault();
    batchView.text.value = "";
    runText(text, `貼り付けた ${text.length.toLocaleString("ja-JP")} 文字は欄に入れず、そのまま調べます…`);
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
      `${file.name} を読み込み中…`,
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

  // Saving: its outcome ("running", "done", "cancelled", "refused", "failed") also kept as an
  // attribute for scripts.
  const saveOutcome = (outcome, text) => {
    batchView.message.dataset.save = outcome;
    say(text);
  };
  batchView.csvButtons.forEach((button, index) => {
    const encoding = index === 0 ? "utf-8" : "shift_jis";
    button.addEventListener("click", async () => {
      if (shown === null || saving) return;
      const { batch, base } = shown;
      const fileName = `${base}${encoding === "utf-8" ? "" : "-sjis"}.csv`;
      saving = true;
      updateButtons();
      saveOutcome("running", `${fileName} を保存しています…`);
      try {
        const saved = await saveCsv(batch, table, encoding, chooser.fields, fileName, async (done, total) => {
          showProgress(done / total, `CSV ${percent(done, total)}`);
          await pauseForPage();
        });
        saveOutcome(...csvSaveOutcome(fileName, saved));
      } catch (error) {
        saveOutcome(...csvSaveOutcome(fileName, error));
      } finally {
        saving = false;
        if (!busy) showProgress(null);
        updateButtons();
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
