// The batch view's table in Debian's chromium from file://, scrolled as users scroll it: the
// wheel and a finger at 24 M rows, where the table is laid out shorter than its rows, move the
// rows as in a full-height table; at 1,000 rows the browser scrolls it; zoomed, the rows in
// view are still the rows under the header.
import assert from "node:assert/strict";
import { join } from "node:path";
import { after, before, describe, test } from "node:test";
import { pathToFileURL } from "node:url";
import { finishBatch, launchBrowser } from "./browser.mjs";
import { SITE } from "./environment.mjs";

const PAGE_URL = pathToFileURL(join(SITE, "index.html")).href;
const BIG = 24_000_000;
let browser;
let page;

// Opens the page on `screen` and answers a batch of `count` lines: typed into the text area, or
// a paste too big for it.
async function showBatch(screen, count) {
  await page.setViewport(screen);
  await page.goto(PAGE_URL);
  await page.waitForSelector("html[data-ready]");
  const typed = count <= 1000;
  const state = await finishBatch(page, async () => {
    await page.evaluate(
      (count, typed) => {
        const area = document.getElementById("batch-text");
        if (typed) return void (area.value = "117\n".repeat(count));
        const pasted = new DataTransfer();
        pasted.setData("text/plain", "117\n".repeat(count));
        area.focus();
        area.dispatchEvent(new ClipboardEvent("paste", { clipboardData: pasted, bubbles: true, cancelable: true }));
      },
      count,
      typed,
    );
    if (typed) await page.click("#batch-run");
  });
  assert.equal(state, "done");
  await page.focus("#batch-table");
}

// Where the rows stand: `at`, the rows (fractional) above the sticky header's bottom edge, from
// the first row under it (its top may be hidden by it); the row's height, and the view's box.
const firstInView = () =>
  page.evaluate(async () => {
    await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
    const view = document.getElementById("batch-table");
    const headerBottom = view.querySelector("th").getBoundingClientRect().bottom;
    const row = [...view.querySelectorAll("tbody tr:not(.spacer)")].find(
      (row) => row.getBoundingClientRect().bottom > headerBottom + 1,
    );
    const box = view.getBoundingClientRect();
    const { top, height } = row.getBoundingClientRect();
    return {
      at: Number(row.cells[0].textContent) - 1 + (headerBottom - top) / height,
      rowHeight: height,
      box: { x: box.x, y: box.y, width: box.width, height: box.height },
    };
  });

// Turns the wheel by `rows` rows' height (pixels, as chromium reports a wheel) over the table.
async function wheelRows(rows) {
  const { box, rowHeight } = await firstInView();
  await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
  await page.mouse.wheel({ deltaY: rows * rowHeight });
  return firstInView();
}

// At row `row`, give or take the rounding of a scroll position to the pixel. Were the wheel
// moving the scrollbar, a pixel would be 3 rows at 24 M rows.
const assertAt = ({ at }, row, message) =>
  assert.ok(Math.abs(at - row) < 0.1, `${message ?? ""} at row ${at}, not ${row}`);

before(async () => {
  browser = await launchBrowser();
  page = await browser.newPage();
});
after(() => browser?.close());

describe(`${BIG.toLocaleString("en-US")} rows, the table laid out shorter than its rows`, () => {
  before(() => showBatch({ width: 1000, height: 900 }, BIG));

  test("the wheel moves the rows by its height, at either end, in the middle and in halves of a row", async () => {
    await page.keyboard.press("Home");
    assertAt(await wheelRows(3), 3);
    assertAt(await wheelRows(-3), 0);
    assertAt(await wheelRows(0.5), 0.5);
    assertAt(await wheelRows(-10), 0, "no further than the start");

    // In the middle a pixel of the scrollbar is many rows; the wheel is still rows.
    await page.$eval("#batch-table", (view) => (view.scrollTop = (view.scrollHeight - view.clientHeight) / 2));
    const middle = await firstInView();
    assert.ok(Math.abs(middle.at - BIG / 2) < 100, `row ${middle.at}`);
    assertAt(await wheelRows(5), middle.at + 5);
    assertAt(await wheelRows(-2), middle.at + 3);

    await page.keyboard.press("End");
    const end = await firstInView();
    assertAt(await wheelRows(-3), end.at - 3);
    assertAt(await wheelRows(10), end.at, "no further than the end");
  });

  test("the keys move one row and a page from either end", async () => {
    await page.keyboard.press("Home");
    await page.keyboard.press("ArrowDown");
    assertAt(await firstInView(), 1);
    await page.keyboard.press("PageDown");
    const paged = await firstInView();
    assert.ok(paged.at > 10, `PageDown to row ${paged.at}`);
    await page.keyboard.press("ArrowUp");
    assertAt(await firstInView(), paged.at - 1);
    await page.keyboard.press("End");
    const end = await firstInView();
    await page.keyboard.press("PageUp");
    const up = end.at - (await firstInView()).at;
    assert.ok(up > paged.at - 2.5 && up < paged.at, `PageUp by ${up} rows`);
  });
});

test("on a phone at 24 M rows a finger dragging the table up moves its rows with it", async () => {
  await showBatch({ width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true }, BIG);
  await page.$eval("#batch-table", (view) => view.scrollIntoView({ block: "center" }));
  const start = await firstInView();
  const x = start.box.x + start.box.width / 2;
  const y = start.box.y + start.box.height - 10;
  await page.touchscreen.touchStart(x, y);
  for (let step = 1; step <= 4; step++) await page.touchscreen.touchMove(x, y - step * start.rowHeight);
  await page.touchscreen.touchEnd();
  // Each move makes the rows anew, the one under the finger too: the rows follow the finger to
  // its end, not the browser's own pan and fling, where a pixel is hundreds of rows.
  const moved = (await firstInView()).at - start.at;
  assert.ok(Math.abs(moved - 4) < 0.5, `${moved} rows`);
});

test("at 1,000 rows the browser scrolls the table itself, by the wheel's pixels", async () => {
  await showBatch({ width: 1000, height: 900 }, 1000);
  await page.keyboard.press("Home");
  await page.evaluate(() => addEventListener("wheel", (event) => (window.wheelPrevented = event.defaultPrevented)));
  const moved = await wheelRows(3);
  assert.equal(await page.evaluate(() => window.wheelPrevented), false);
  // Chromium may animate the scroll; it ends three rows on.
  await page.waitForFunction(
    (rowHeight) => Math.abs(document.getElementById("batch-table").scrollTop - 3 * rowHeight) < 1,
    {},
    moved.rowHeight,
  );
  assertAt(await firstInView(), 3);
});

test("zoomed while scrolled, the row at the top stays there", async () => {
  await showBatch({ width: 1280, height: 900 }, 1000);
  await page.$eval("#batch-table", (view) => (view.scrollTop = view.scrollHeight * 0.6));
  const before = await firstInView();
  assert.ok(before.at > 500, `scrolled to row ${before.at}`);
  for (const zoom of [2, 4, 1]) {
    await page.setViewport({ width: 1280 / zoom, height: 900 / zoom, deviceScaleFactor: zoom });
    await page.waitForFunction((width) => innerWidth === width, {}, 1280 / zoom);
    assertAt(await firstInView(), before.at, `${zoom * 100} %`);
  }
});

test("zoomed from 100 % to 200 % and 400 %, the table stays on the screen, filled with rows to its last", async () => {
  await showBatch({ width: 1280, height: 900 }, 1000);
  // Browser zoom: fewer CSS pixels to the window, more device pixels to each.
  for (const zoom of [2, 4]) {
    await page.setViewport({ width: 1280 / zoom, height: 900 / zoom, deviceScaleFactor: zoom });
    await page.focus("#batch-table");
    await page.keyboard.press("End");
    const seen = await page.evaluate(async () => {
      await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
      const view = document.getElementById("batch-table");
      const box = view.getBoundingClientRect();
      const rows = [...view.querySelectorAll("tbody tr:not(.spacer)")];
      const inView = rows.filter((row) => row.getBoundingClientRect().top < box.top + view.clientHeight);
      return {
        fitsWindow: box.height <= innerHeight,
        last: Number(inView.at(-1).cells[0].textContent),
        lastWhole: inView.at(-1).getBoundingClientRect().bottom <= box.top + view.clientTop + view.clientHeight + 1,
        sideways: view.scrollWidth > view.clientWidth,
      };
    });
    assert.deepEqual(seen, { fitsWindow: true, last: 1000, lastWhole: true, sideways: true }, `${zoom * 100} %`);
    await page.keyboard.press("Home");
    const home = await firstInView();
    assertAt(home, 0, `${zoom * 100} %`);
    await page.keyboard.press("ArrowDown");
    await page.keyboard.press("ArrowDown");
    assertAt(await firstInView(), 2, `${zoom * 100} %`);
  }
});
