// The page's lookup window in Debian's chromium from file://, as the program's window behaves:
// the number field's input rules, its keys, the About box, the announced answer, phones and
// zoom, and the page's own help.
import assert from "node:assert/strict";
import { join } from "node:path";
import { after, before, describe, test } from "node:test";
import { pathToFileURL } from "node:url";
import { launchBrowser, pasteText, titleOfTabOpenedBy } from "./browser.mjs";
import { SITE } from "./environment.mjs";

const PAGE_URL = pathToFileURL(join(SITE, "index.html")).href;
const HELP_URL = pathToFileURL(join(SITE, "help/index.html")).href;
const HELP_TITLE = "コバル (Kobal) ヘルプ — Web 版";
// A desktop, a phone, and a desktop window of 1280 × 900 at 200 % and 400 % zoom.
const SCREENS = [
  { name: "desktop", width: 1000, height: 900, deviceScaleFactor: 1 },
  { name: "390x844 phone", width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
  { name: "200 % zoom", width: 640, height: 450, deviceScaleFactor: 2 },
  { name: "400 % zoom", width: 320, height: 225, deviceScaleFactor: 4 },
];

let browser;
let page;
// A phone's viewport reloads the page; it is ready again once the engine is.
const showOn = async (screen) => {
  await page.setViewport(screen);
  await page.waitForSelector("html[data-ready]");
};
before(async () => {
  browser = await launchBrowser();
  page = await browser.newPage();
  page.errors = [];
  page.on("pageerror", (error) => page.errors.push(error.message));
  await page.setViewport(SCREENS[0]);
  await page.goto(PAGE_URL);
  await page.waitForSelector("html[data-ready]");
});
after(() => browser?.close());

const numberValue = () => page.$eval("#number", (number) => number.value);
const resultValue = () => page.$eval("#result", (result) => result.value);
const focused = () => page.evaluate(() => document.activeElement.id);
const emptyNumber = async () => {
  await page.$eval("#number", (number) => (number.value = ""));
  await page.focus("#number");
};
const withAlt = async (key) => {
  await page.keyboard.down("Alt");
  await page.keyboard.press(key);
  await page.keyboard.up("Alt");
};

// Resolves to the title of the help tab that `action` opens, and closes that tab.
const helpOpenedBy = (action) => titleOfTabOpenedBy(browser, HELP_URL, action);

describe("the number field", () => {
  test("typed: digits only and 11 at most; an input method's text comes in as its digits", async () => {
    await emptyNumber();
    await page.keyboard.type("09a0-1");
    assert.equal(await numberValue(), "0901");
    await page.keyboard.type("23456789"); // the twelfth digit is refused
    assert.equal(await numberValue(), "09012345678");

    await emptyNumber();
    await page.keyboard.type("12");
    const ime = await page.createCDPSession();
    const compose = async (text) => {
      const end = text.length;
      await ime.send("Input.imeSetComposition", { text, selectionStart: end, selectionEnd: end });
      await ime.send("Input.insertText", { text });
    };
    await compose("ａｂ");
    assert.equal(await numberValue(), "12", "letters from an input method stay out");
    await compose("０９");
    assert.equal(await numberValue(), "1209", "full-width digits come in as digits");
    await ime.detach();
  });

  test("pasted or dropped: a written number becomes its digits; no number or no room, nothing", async () => {
    await emptyNumber();
    await pasteText(page, "+81 90-1234-5678");
    assert.equal(await numberValue(), "09012345678");
    await page.keyboard.down("Control");
    await page.keyboard.press("KeyZ", { commands: ["Undo"] });
    await page.keyboard.up("Control");
    assert.equal(await numberValue(), "", "undo takes the paste back");

    await page.keyboard.type("0901");
    await pasteText(page, "hello");
    assert.equal(await numberValue(), "0901", "a text that is not one number");
    await pasteText(page, "03-1234-5678");
    assert.equal(await numberValue(), "0901", "ten digits do not fit beside four; none are cut in");
    await page.$eval("#number", (number) => number.setSelectionRange(1, 4));
    await pasteText(page, "（０３）１２３");
    assert.equal(await numberValue(), "003123", "the selection replaced by a number that fits its place");
    await pasteText(page, "０".repeat(4_000_000));
    assert.equal(await numberValue(), "003123", "millions of characters");
    await pasteText(page, "0312\r\n0313\r\n");
    assert.equal(await numberValue(), "003123", "two lines");
    await emptyNumber();
    await pasteText(page, "03-3520-1234\r\n");
    assert.equal(await numberValue(), "0335201234", "a cell copied from a spreadsheet, with its line end");

    await emptyNumber();
    await page.$eval("#number", (number) => {
      const data = new DataTransfer();
      data.setData("text/plain", "(0120) 12 3456");
      const { x, y } = number.getBoundingClientRect();
      const drop = { dataTransfer: data, clientX: x + 2, clientY: y + 2, bubbles: true, cancelable: true };
      number.dispatchEvent(new DragEvent("drop", drop));
    });
    assert.equal(await numberValue(), "0120123456");
    assert.deepEqual(page.errors, []);
  });

  for (const screen of SCREENS) {
    test(`on a ${screen.name}: 11 digits show whole, the window's controls fit side by side`, async () => {
      await showOn(screen);
      try {
        const layout = await page.evaluate(() => {
          const number = document.getElementById("number");
          number.value = "00000000000";
          const box = (id) => document.getElementById(id).getBoundingClientRect();
          const [field, search, result, window] = ["number", "search", "result", "lookup-window"].map(box);
          return {
            digitsShown: number.scrollWidth <= number.clientWidth,
            apart: field.right <= search.left && Math.max(field.bottom, search.bottom) <= result.top,
            inWindow: [field, search, result].every((b) => b.left >= window.left && b.right <= window.right),
            onScreen: window.left >= 0 && window.right <= document.documentElement.clientWidth,
          };
        });
        assert.deepEqual(layout, { digitsShown: true, apart: true, inWindow: true, onScreen: true });
      } finally {
        await showOn(SCREENS[0]);
      }
    });
  }
});

describe("the window's keys, the About box and the announced answer", () => {
  test("Alt+S, Alt+A and Alt+H act in the window only; F1 opens the help from the batch view", async () => {
    await emptyNumber();
    await page.keyboard.type("117");
    await page.keyboard.press("Enter");
    assert.equal(await resultValue(), "時報");
    await page.keyboard.type("110");
    await page.focus("#batch-text");
    const tabs = (await browser.pages()).length;
    for (const key of ["KeyS", "KeyA", "KeyH"]) await withAlt(key);
    const state = await page.evaluate(() => ({
      number: document.getElementById("number").value,
      result: document.getElementById("result").value,
      about: document.getElementById("about-box").open,
      focus: document.activeElement.id,
    }));
    assert.deepEqual(state, { number: "110", result: "時報", about: false, focus: "batch-text" });
    assert.equal(await helpOpenedBy(() => page.keyboard.press("F1")), HELP_TITLE);
    assert.equal((await browser.pages()).length, tabs, "F1's help the one tab opened");

    await page.focus("#result");
    await withAlt("KeyS");
    assert.equal(await resultValue(), "警察への緊急通報", "Alt+S from the result line");
  });

  test("About closed with OK or Esc leaves the focus in the number field", async () => {
    for (const close of ["Enter", "Escape"]) {
      await page.click("#about-command");
      assert.equal(await page.$eval("#about-box", (box) => box.open), true);
      await page.keyboard.press(close); // OK has the focus
      await page.waitForFunction(() => document.activeElement.id === "number");
      assert.equal(await page.$eval("#about-box", (box) => box.open), false);
    }
    await page.focus("#number");
    await withAlt("KeyA");
    assert.equal(await page.$eval("#about-box", (box) => box.open), true, "Alt+A from the number field");
    await page.keyboard.press("Escape");
    await page.waitForFunction(() => document.activeElement.id === "number");
  });

  test("each answer reaches the live region, the same answer twice announced twice", async () => {
    await emptyNumber();
    await page.keyboard.type("117");
    await page.keyboard.press("Enter");
    await page.waitForFunction(() => document.getElementById("result-announcement").textContent === "時報");
    const region = await page.$eval("#result-announcement", (element) => {
      window.announced = [];
      new MutationObserver(() => window.announced.push(element.textContent)).observe(element, {
        childList: true,
        characterData: true,
        subtree: true,
      });
      return { role: element.getAttribute("role"), inResultLine: element.closest("#result") !== null };
    });
    assert.deepEqual(region, { role: "status", inResultLine: false });
    for (let i = 0; i < 2; i++) {
      await page.keyboard.press("Enter");
      await page.waitForFunction((count) => window.announced.length === count, {}, 2 * (i + 1));
    }
    assert.deepEqual(await page.evaluate(() => window.announced), ["", "時報", "", "時報"]);
    assert.equal(await focused(), "number");
  });
});

describe("the page's own help", () => {
  let help;
  before(async () => {
    help = await browser.newPage();
    help.errors = [];
    help.on("console", (message) => message.type() === "error" && help.errors.push(message.text()));
    await help.goto(HELP_URL);
  });
  after(() => help.close());

  test("a phone's viewport, its style under its own policy, no scripts, links that land", async () => {
    const page = await help.evaluate(() => ({
      viewport: document.querySelector('meta[name="viewport"]')?.content,
      policy: document.querySelector('meta[http-equiv="Content-Security-Policy"]')?.content,
      styled: getComputedStyle(document.querySelector("main")).maxWidth !== "none",
      scripts: document.scripts.length,
      lost: [...document.querySelectorAll('a[href^="#"]')]
        .map((link) => link.getAttribute("href"))
        .filter((href) => document.getElementById(href.slice(1)) === null),
    }));
    assert.match(page.viewport, /width=device-width/);
    assert.match(page.policy, /default-src 'none'/);
    assert.deepEqual([page.styled, page.scripts, page.lost], [true, 0, []]);
    assert.deepEqual(help.errors, [], "nothing refused by the policy");
  });

  for (const screen of SCREENS.slice(1)) {
    test(`on a ${screen.name} nothing runs off the side`, async () => {
      await help.setViewport(screen);
      const overflow = await help.evaluate(
        () => document.documentElement.scrollWidth - document.documentElement.clientWidth,
      );
      assert.equal(overflow, 0);
    });
  }
});
