// The table of a batch: line, input, number and answer. Only the rows in view exist in the
// document, so a million lines scroll as lightly as ten; a screen reader is told the table's
// size and each row's place (aria-rowcount, aria-rowindex), the spacers hidden from it.

const INPUT_SHOWN = 200; // characters of an input shown in its cell; the CSV holds them all
const ROWS_AROUND = 10; // rows made beyond each edge of the view
const TABLE_HEIGHT_LIMIT = 8e6; // pixels; browsers stop laying out taller elements near 3.3e7

export class BatchTable {
  constructor(view, engine) {
    this.view = view;
    this.engine = engine;
    this.table = view.querySelector("table");
    this.header = view.querySelector("thead");
    this.body = view.querySelector("tbody");
    this.batch = null;
    this.rowHeight = 0;
    this.shown = "";
    this.placed = null; // { scrollTop, top }: the row a key put at the top, while the view stays
    this.utf8Decoder = new TextDecoder("utf-8");
    view.addEventListener("scroll", () => this.render(), { passive: true });
    view.addEventListener("keydown", (event) => this.onKey(event));
    new ResizeObserver(() => this.render()).observe(view);
  }

  show(batch) {
    this.batch = batch;
    this.shown = "";
    this.placed = null;
    const count = batch === null ? 0 : batch.lineCount;
    this.table.setAttribute("aria-rowcount", String(count + 1)); // the header is row 1
    // The row numbers' column as wide as its widest number.
    this.table.style.setProperty("--line-digits", String(String(count).length));
    this.view.scrollTop = 0;
    this.render();
  }

  // The bytes of line `index` as it was read (UTF-8), without its line end.
  bytesOf(index, batch = this.batch) {
    const { utf8, starts } = batch;
    let end = starts[index + 1] - 1;
    if (end > starts[index] && utf8[end - 1] === 13) end--;
    return utf8.subarray(starts[index], end);
  }

  textOf(index, batch = this.batch) {
    return this.utf8Decoder.decode(this.bytesOf(index, batch));
  }

  // The digits that went to the library, or "" when the line is not one number.
  numberOf(index, batch = this.batch) {
    return this.engine.normalise(this.bytesOf(index, batch)) ?? "";
  }

  // { bytes, text }: the library's answer for line `index`.
  answerOf(index, batch = this.batch) {
    return this.engine.answer(batch.answerIds[index]);
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
    const probe = this.makeRow(["1", "0", "0", "不明"], 0);
    this.body.replaceChildren(probe);
    this.rowHeight = probe.getBoundingClientRect().height || 24;
    return this.rowHeight;
  }

  makeRow(cells, index) {
    const row = document.createElement("tr");
    row.setAttribute("aria-rowindex", String(index + 2));
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
    row.setAttribute("aria-hidden", "true");
    row.style.height = `${height}px`;
    return row;
  }

  // The geometry of the rows: the height they are laid out in (no taller than a browser lets an
  // element be, the scroll position then scaled to the rows), how many fit under the sticky
  // header (a fraction), and the scroll position that shows the last row at the bottom.
  layout() {
    const count = this.batch.lineCount;
    const rowHeight = this.measureRow();
    const rowsHeight = Math.min(count * rowHeight, TABLE_HEIGHT_LIMIT);
    const headerHeight = this.header.getBoundingClientRect().height;
    const visible = Math.max(1, (this.view.clientHeight - headerHeight) / rowHeight);
    // As laid out: the rows' heights need not add up to the pixel.
    const scrollEnd = Math.max(0, this.view.scrollHeight - this.view.clientHeight);
    return { count, rowHeight, rowsHeight, visible, scrollEnd, scaled: rowsHeight < count * rowHeight };
  }

  // The row (fractional) at the top of the rows in view for a scroll position.
  topAt(scrollTop, { count, rowHeight, visible, scrollEnd, scaled }) {
    if (!scaled) return scrollTop / rowHeight;
    return scrollEnd === 0 ? 0 : (Math.min(scrollTop, scrollEnd) / scrollEnd) * Math.max(0, count - visible);
  }

  // Puts row `top` at the top of the view: scaled, a pixel of scrolling is many rows, so the
  // row is kept until the view scrolls otherwise.
  scrollToRow(top) {
    const layout = this.layout();
    const last = Math.max(0, layout.count - layout.visible);
    top = Math.min(Math.max(0, top), last);
    const scrollTop = layout.scaled
      ? (last === 0 ? 0 : (top / last) * layout.scrollEnd)
      : top * layout.rowHeight;
    this.view.scrollTop = scrollTop;
    this.placed = { scrollTop: this.view.scrollTop, top };
    this.render();
  }

  onKey(event) {
    if (this.batch === null || event.altKey || event.ctrlKey || event.metaKey) return;
    const layout = this.layout();
    const top = this.currentTop(layout);
    const page = Math.max(1, Math.floor(layout.visible) - 1);
    const moves = {
      Home: 0,
      End: layout.count,
      PageUp: Math.floor(top) - page,
      PageDown: Math.floor(top) + page,
      ArrowUp: Math.ceil(top) - 1,
      ArrowDown: Math.floor(top) + 1,
    };
    if (!(event.key in moves)) return;
    event.preventDefault();
    this.scrollToRow(moves[event.key]);
  }

  currentTop(layout) {
    const { scrollTop } = this.view;
    if (this.placed !== null && Math.abs(this.placed.scrollTop - scrollTop) < 1) return this.placed.top;
    this.placed = null;
    return this.topAt(scrollTop, layout);
  }

  // Lays out the rows in view (and a few beyond) between two spacers that keep the table at
  // its full height, row `top` just under the sticky header.
  render() {
    if (this.batch === null) {
      this.body.replaceChildren();
      return;
    }
    const layout = this.layout();
    const { count, rowHeight, rowsHeight, visible } = layout;
    const top = this.currentTop(layout);
    const first = Math.max(0, Math.floor(top) - ROWS_AROUND);
    const last = Math.min(count, Math.ceil(top + visible) + ROWS_AROUND);
    // Row `first` starts this far down the rows; the rows made never reach past their height.
    const above = Math.max(
      0,
      Math.min(Math.round(this.view.scrollTop - (top - first) * rowHeight), rowsHeight - (last - first) * rowHeight),
    );
    const key = `${first} ${last} ${above}`;
    if (key === this.shown) return;
    this.shown = key;
    const rows = [this.spacer(above)];
    for (let index = first; index < last; index++) rows.push(this.makeRow(this.rowOf(index), index));
    rows.push(this.spacer(Math.max(0, rowsHeight - above - (last - first) * rowHeight)));
    this.body.replaceChildren(...rows);
  }
}
