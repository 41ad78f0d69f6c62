// A customer list opened as records: a CSV, TSV or Unicode text file read by kobal-lookup's own
// reader in the WebAssembly, one column chosen from its header (the one named like 電話番号,
// TEL or FAX first), each record shown with the number, status and result of that column, and
// saved as CSV in the file's own form (cells a spreadsheet would evaluate made text) or as an
// Excel workbook, every cell text.
import writeExcelFile from "write-excel-file/browser";

const SHOWN_ROWS = 500; // the table shows the first records; the saved files hold them all
const WIDEST_COLUMN = 60;

// Whether the file is a list of records rather than one number a line: its first record has
// several cells.
export function isRecordFile(engine, bytes) {
  const first = engine.readRecords(bytes.subarray(0, 1 << 16)).rows[0];
  return first !== undefined && first.length > 1;
}

// Character widths as a spreadsheet shows them: Japanese characters take two.
function displayWidth(text) {
  let widest = 0;
  for (const line of text.split("\n")) {
    let width = 0;
    for (const character of line) {
      const code = character.codePointAt(0);
      width += code < 0x1100 || (code >= 0xff61 && code <= 0xff9f) ? 1 : 2;
    }
    widest = Math.max(widest, width);
  }
  return widest;
}

export class RecordsView {
  constructor(engine, elements, say) {
    this.engine = engine;
    this.elements = elements; // { view, column, table, csv, xlsx }
    this.say = say;
    this.file = null;
    elements.column.addEventListener("change", () => this.answer(Number(elements.column.value)));
    elements.csv.addEventListener("click", () => this.saveCsv());
    elements.xlsx.addEventListener("click", () => this.saveXlsx());
  }

  hide() {
    this.elements.view.hidden = true;
    this.file = null;
  }

  // Shows the records of `bytes`, the chosen column answered.
  show(name, bytes) {
    const first = this.engine.readRecords(bytes);
    const header = first.rows[0] ?? [];
    this.file = { name, bytes, header: first.header };
    const select = this.elements.column;
    select.replaceChildren(
      ...header.map((cell, index) => new Option(first.header && cell ? cell : `${index + 1} 列目`, index)),
    );
    const column = first.suggested[0] ?? 0;
    select.value = String(column);
    this.elements.view.hidden = false;
    return this.answer(column, first.encoding);
  }

  answer(column, encoding) {
    const read = this.engine.readRecords(this.file.bytes, [column]);
    this.file.read = read;
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
    const records = rows.slice(read.header ? 1 : 0);
    body.replaceChildren(
      ...records.slice(0, SHOWN_ROWS).map((row) => {
        const line = document.createElement("tr");
        line.append(...cellsOf(row, "td"));
        return line;
      }),
    );
    const told = read.warnings.length > 0 ? ` 注意: ${read.warnings.join(" / ")}` : "";
    this.say(
      `${records.length.toLocaleString("ja-JP")} 件のレコード (${encoding ?? read.encoding}, ` +
        `${read.delimiter === "\t" ? "タブ" : `「${read.delimiter}」`}区切り)。${told}`,
      "done",
    );
    return read;
  }

  download(blob, name) {
    const link = document.createElement("a");
    link.href = URL.createObjectURL(blob);
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 60_000);
  }

  saveCsv() {
    if (this.file === null) return;
    const extension = this.file.name.match(/\.[^.]*$/)?.[0] ?? ".csv";
    const base = this.file.name.replace(/\.[^.]*$/, "");
    this.download(new Blob([this.engine.recordsCsv()], { type: "text/csv" }), `${base}-kobal${extension}`);
  }

  async saveXlsx() {
    if (this.file === null) return;
    const { rows, header } = this.file.read;
    const widths = [];
    const data = rows.map((row, index) =>
      row.map((text, column) => {
        widths[column] = Math.max(widths[column] ?? 8, displayWidth(text) + 2);
        // Every cell text: leading zeros stay, and nothing becomes a formula.
        const cell = { type: String, value: text };
        if (header && index === 0) cell.fontWeight = "bold";
        return text === "" ? null : cell;
      }),
    );
    const columns = widths.map((width) => ({ width: Math.min(width, WIDEST_COLUMN) }));
    const blob = await writeExcelFile(data, { columns, stickyRowsCount: header ? 1 : 0 }).toBlob();
    this.download(blob, `${this.file.name.replace(/\.[^.]*$/, "")}-kobal.xlsx`);
  }
}
