// The table of a batch: line, input, number and answer. Only the rows in view exist in the
// document, so a million lines scroll as lightly as ten.

const INPUT_SHOWN = 200; // characters of an input shown in its cell; the CSV holds them all
const ROWS_AROUND = 10; // rows made beyond each edge of the view
const TABLE_HEIGHT_LIMIT = 8e6; // pixels; browsers stop laying out taller elements near 3.3e7

export class BatchTable {
  constructor(view, engine) {
    this.view = view;
    this.engine = engine;
    this.body = view.querySelector("tbody");
    this.batch = null;
    this.rowHeight = 0;
    this.shown = "";
    this.utf8Decoder = new TextDecoder("utf-8");
    view.addEventListener("scroll", () => this.render(), { passive: true });
    new ResizeObserver(() => this.render()).observe(view);
  }

  show(batch) {
    this.batch = batch;
    this.shown = "";
    this.view.scrollTop = 0;
    this.render();
  }

  // The bytes of line `index` as it was read (UTF-8), without its line end.
  bytesOf(index) {
    const { utf8, starts } = this.batch;
    let end = starts[index + 1] - 1;
    if (end > starts[index] && utf8[end - 1] === 13) end--;
    return utf8.subarray(starts[index], end);
  }

  textOf(index) {
    return this.utf8Decoder.decode(this.bytesOf(index));
  }

  // The digits that went to the library, or "" when the line is not one number.
  numberOf(index) {
    return this.engine.normalise(this.bytesOf(index)) ?? "";
  }

  // { bytes, text }: the library's answer for line `index`.
  answerOf(index) {
    return this.engine.answer(this.batch.answerIds[index]);
  }

  rowOf(index) {
    const bytes = this.bytesOf(index);
    // A long line is decoded only as far as its cell shows (4 bytes at most per character).
    let input = this.utf8Decoder.decode(bytes.subarray(0, 4 * INPUT_SHOWN));
    if (input.length > INPUT_SHOWN || bytes.length > 4 * INPUT_SHOWN)
      input = input.slice(0, INPUT_SHOWN) + "…";
    return [String(index + 1), input, this.numberOf(index), this.answerOf(index).text];
  }

  measureRow() {
    if (this.rowHeight > 0) return this.rowHeight;
    const probe = this.makeRow(["1", "0", "0", "不明"]);
    this.body.replaceChildren(probe);
    this.rowHeight = probe.getBoundingClientRect().height || 24;
    return this.rowHeight;
  }

  makeRow(cells) {
    const row = document.createElement("tr");
    for (const text of cells) {
      const cell = document.createElement("td");
      cell.textContent = text;
      row.append(cell);
    }
    return row;
  }

  spacer(height) {
    const row = document.createElement("tr");
    row.className = "spacer";
    row.style.height = `${height}px`;
    return row;
  }

  // Row `top` (fractional) goes to the top of the view. A table taller than a browser lets an
  // element be is laid out shorter, its scroll position scaled to the rows.
  render() {
    if (this.batch === null) {
      this.body.replaceChildren();
      return;
    }
    const count = this.batch.lineCount;
    const rowHeight = this.measureRow();
    const { scrollTop, clientHeight } = this.view;
    const inView = Math.ceil(clientHeight / rowHeight);
    const height = Math.min(count * rowHeight, TABLE_HEIGHT_LIMIT);
    const top =
      height === count * rowHeight
        ? scrollTop / rowHeight
        : (scrollTop / Math.max(1, height - clientHeight)) * Math.max(0, count - inView);
    const first = Math.max(0, Math.floor(top) - ROWS_AROUND);
    const last = Math.min(count, Math.ceil(top) + inView + ROWS_AROUND);
    const above = Math.max(0, Math.round(scrollTop - (top - first) * rowHeight));
    const key = `${first} ${last} ${above}`;
    if (key === this.shown) return;
    this.shown = key;
    const rows = [this.spacer(above)];
    for (let index = first; index < last; index++) rows.push(this.makeRow(this.rowOf(index)));
    rows.push(this.spacer(Math.max(0, height - above - (last - first) * rowHeight)));
    this.body.replaceChildren(...rows);
  }
}
