// The table of a batch: the line's number and the chosen fields of its answer. Only the rows in view exist in the
// document, so a million lines scroll as lightly as ten; a screen reader is told the table's
// size and each row's place (aria-rowcount, aria-rowindex), the spacers hidden from it. A
// table too tall for the browser is laid out shorter: its scrollbar jumps, while keys, the wheel
// and a finger move it by rows.

import { DEFAULT_FIELDS, FIELD_LABELS } from "./field-chooser.js";

const INPUT_SHOWN = 200; // characters of an input shown in its cell; the CSV holds them all
const ROWS_AROUND = 10; // rows made beyond each edge of the view
const TABLE_HEIGHT_LIMIT = 8e6; // pixels; browsers stop laying out taller elements near 3.3e7
// Each field's column in em, room for its longer values; a wider table shares out the rest.
const LINE_WIDTH = 4.5; // the row numbers' (kobal.css)
const FIELD_WIDTHS = {
  input: 14,
  number: 8.5,
  formatted: 9,
  status: 8.5,
  kind: 7,
  prefecture: 6,
  place: 12,
  ma: 8,
  carrier: 10,
  region: 5,
  result: 19,
};

export class BatchTable {
  constructor(view, engine) {
    this.view = view;
    this.engine = engine;
    this.table = view.querySelector("table");
    this.header = view.querySelector("thead");
    this.body = view.querySelector("tbody");
    this.batch = null;
    this.fields = DEFAULT_FIELDS;
    this.rowHeight = 0;
    this.shown = "";
    this.placed = null; // { scrollTop, top }: the row a key put at the top, while the view stays
    this.utf8Decoder = new TextDecoder("utf-8");
    view.addEventListener("scroll", () => this.render(), { passive: true });
    view.addEventListener("keydown", (event) => this.onKey(event));
    view.addEventListener("wheel", (event) => this.onWheel(event), { passive: false });
    view.addEventListener("touchstart", (event) => this.onTouchStart(event), { passive: true });
    this.touch = null; // { x, y }: where the finger was last
    this.gesture = null; // { ending, targets }: the elements the fingers on the view came down on
    // A zoom or a new font changes the rows' height: measured again, the row at the top kept.
    new ResizeObserver(() => {
      const top = this.batch === null ? 0 : this.currentTop(this.layout());
      this.rowHeight = 0;
      this.shown = "";
      if (this.batch === null) this.render();
      else this.scrollToRow(top);
    }).observe(view);
  }

  // Shows the `fields` chosen (names as kobal-lookup's --fields has them), in that order.
  showFields(fields) {
    this.fields = fields;
    const line = document.createElement("th");
    line.className = "line";
    line.textContent = "行";
    const headings = fields.map((field) => {
      const heading = document.createElement("th");
      heading.dataset.field = field;
      heading.textContent = FIELD_LABELS[field];
      heading.style.width = `${FIELD_WIDTHS[field]}em`;
      return heading;
    });
    this.header.firstElementChild.replaceChildren(line, ...headings);
    const width = fields.reduce((sum, field) => sum + FIELD_WIDTHS[field], LINE_WIDTH);
    this.table.style.minWidth = `${width}em`;
    this.rowHeight = 0;
    this.shown = "";
    this.render();
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

  // { bytes, text }: the library's answer for line `index`.
  answerOf(index, batch = this.batch) {
    return this.engine.answer(batch.answerIds[index]);
  }

  // The cells of line `index`: its number, then the chosen fields ("" for an empty one).
  rowOf(index) {
    const bytes = this.bytesOf(index);
    const answer = this.engine.parse(bytes);
    const cell = (field) => {
      if (field === "result") return this.answerOf(index).text;
      if (field !== "input") return answer[field] ?? "";
      // A long line is decoded only as far as its cell shows (4 bytes at most per character).
      const input = this.utf8Decoder.decode(bytes.subarray(0, 4 * INPUT_SHOWN));
      return input.length > INPUT_SHOWN || bytes.length > 4 * INPUT_SHOWN ? input.slice(0, INPUT_SHOWN) + "…" : input;
    };
    return [String(index + 1), ...this.fields.map(cell)];
  }

  // The distance between the second and third rows' tops: the first row's own height also
  // holds half the header's collapsed border. The rows shown are put back, the view's height
  // being theirs, and so is the scroll position, which the probes' short table clamps.
  measureRow() {
    if (this.rowHeight > 0) return this.rowHeight;
    const { scrollTop, scrollLeft } = this.view;
    const shown = [...this.body.children];
    const probes = [0, 1, 2].map((index) => this.makeRow(["1", ...this.fields.map(() => "不明")], index));
    this.body.replaceChildren(...probes);
    const [, second, third] = probes.map((probe) => probe.getBoundingClientRect().top);
    this.body.replaceChildren(...shown);
    this.view.scrollTop = scrollTop;
    this.view.scrollLeft = scrollLeft;
    this.rowHeight = third - second || 24;
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
    const scaled = rowsHeight < count * rowHeight;
    // Unscaled, as laid out: the rows' heights need not add up to the pixel. Scaled, as the rows
    // are placed: spacers millions of pixels tall are laid out to half a pixel, which would move
    // the scale by rows from one render to the next.
    const scrollEnd = Math.max(
      0,
      (scaled ? rowsHeight + headerHeight : this.view.scrollHeight) - this.view.clientHeight,
    );
    return { count, rowHeight, rowsHeight, visible, scrollEnd, scaled };
  }

  // Scaled, the scroll positions near either end move the rows pixel for pixel, the rows made
  // around the view having room there; between them, a pixel is many rows. `edge`: the
  // pixels (and rows) at each end; `rows` and `pixels`: the middle's.
  scale({ count, rowHeight, visible, scrollEnd }) {
    const last = Math.max(0, count - visible);
    const edge = Math.min((ROWS_AROUND + 1) * rowHeight, scrollEnd / 2);
    const edgeRows = edge / rowHeight;
    return { last, edge, edgeRows, rows: Math.max(0, last - 2 * edgeRows), pixels: scrollEnd - 2 * edge };
  }

  // The row (fractional) at the top of the rows in view for a scroll position.
  topAt(scrollTop, layout) {
    if (!layout.scaled) return scrollTop / layout.rowHeight;
    const { last, edge, edgeRows, rows, pixels } = this.scale(layout);
    scrollTop = Math.min(Math.max(0, scrollTop), layout.scrollEnd);
    if (scrollTop <= edge) return scrollTop / layout.rowHeight;
    if (scrollTop >= edge + pixels) return last - (layout.scrollEnd - scrollTop) / layout.rowHeight;
    return edgeRows + ((scrollTop - edge) / pixels) * rows;
  }

  // The scroll position that puts row `top` at the top of the view.
  scrollTopOf(top, layout) {
    if (!layout.scaled) return top * layout.rowHeight;
    const { last, edge, edgeRows, rows, pixels } = this.scale(layout);
    if (top <= edgeRows) return top * layout.rowHeight;
    if (top >= edgeRows + rows) return layout.scrollEnd - (last - top) * layout.rowHeight;
    return edge + ((top - edgeRows) / rows) * pixels;
  }

  // Puts row `top` at the top of the view: scaled, a pixel of scrolling is many rows, so the
  // row is kept until the view scrolls otherwise.
  scrollToRow(top) {
    const layout = this.layout();
    top = Math.min(Math.max(0, top), Math.max(0, layout.count - layout.visible));
    this.view.scrollTop = this.scrollTopOf(top, layout);
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

  // Scaled, a pixel of the scrollbar is many rows: the wheel moves the rows as it would in a
  // table laid out at full height. Unscaled, the browser scrolls as usual.
  onWheel(event) {
    if (this.batch === null || event.ctrlKey || event.deltaY === 0) return; // Ctrl: the browser's zoom
    const layout = this.layout();
    if (!layout.scaled) return;
    event.preventDefault();
    const rows = {
      [WheelEvent.DOM_DELTA_PIXEL]: event.deltaY / layout.rowHeight,
      [WheelEvent.DOM_DELTA_LINE]: event.deltaY,
      [WheelEvent.DOM_DELTA_PAGE]: event.deltaY * Math.max(1, Math.floor(layout.visible) - 1),
    }[event.deltaMode];
    this.view.scrollLeft += event.deltaX;
    this.scrollToRow(this.currentTop(layout) + rows);
  }

  // The rows move under a finger and are made anew, and a touch's events keep going to the
  // element it came down on, out of the document by then: they are heard on that element, as
  // the view would not hear them, until the last finger leaves.
  onTouchStart(event) {
    this.onTouch(event);
    this.gesture ??= { ending: new AbortController(), targets: new Set() };
    const { ending, targets } = this.gesture;
    if (targets.has(event.target)) return;
    targets.add(event.target);
    const { signal } = ending;
    event.target.addEventListener("touchmove", (event) => this.onTouch(event), { passive: false, signal });
    for (const type of ["touchend", "touchcancel"])
      event.target.addEventListener(type, (event) => this.onTouchEnd(event), { signal });
  }

  onTouchEnd(event) {
    this.onTouch(event);
    if (event.touches.length > 0 || this.gesture === null) return;
    this.gesture.ending.abort();
    this.gesture = null;
  }

  // A finger dragging a scaled table moves its rows with it, as the wheel does; two fingers
  // zoom. A table not scaled the browser pans.
  onTouch(event) {
    const last = this.touch;
    this.touch = event.touches.length === 1 ? { x: event.touches[0].clientX, y: event.touches[0].clientY } : null;
    if (event.type !== "touchmove" || last === null || this.touch === null || this.batch === null) return;
    const layout = this.layout();
    if (!layout.scaled) return;
    event.preventDefault();
    this.view.scrollLeft += last.x - this.touch.x;
    this.scrollToRow(this.currentTop(layout) + (last.y - this.touch.y) / layout.rowHeight);
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
      this.view.classList.remove("scaled");
      this.body.replaceChildren();
      return;
    }
    const layout = this.layout();
    // Scaled, the browser is not to pan the rows under a finger even where it would not wait
    // for the page's touchmove (busy, or the touch out of the document): they would move twice.
    this.view.classList.toggle("scaled", layout.scaled);
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
