// Debian's chromium, headless, started by puppeteer-core the way the web tests, the benchmark
// and the screenshot need it (no sandbox when root, nothing reaching out to the network), and
// a batch of the page run to its end.
import { spawn } from "node:child_process";
import { once } from "node:events";
import { mkdtempSync, readdirSync, rmSync, statSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import puppeteer from "puppeteer-core";

export const CHROMIUM = process.env.KOBAL_CHROMIUM ?? "/usr/bin/chromium";

// Starts a browser with a fresh profile; close() also removes the profile.
export async function launchBrowser() {
  const profile = mkdtempSync(join(tmpdir(), "kobal-chromium-"));
  const args = [
    "--headless",
    "--disable-gpu",
    "--disable-quic",
    "--no-first-run",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--lang=ja-JP",
    `--user-data-dir=${profile}`,
  ];
  if (process.getuid?.() === 0) args.push("--no-sandbox");
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    args,
    headless: true,
    userDataDir: profile,
    // A wait in the page is one protocol call: puppeteer's default cap of 180 s would end a
    // 24 M-line save on a busy machine before the test's own timeout does.
    protocolTimeout: 0,
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    rmSync(profile, { recursive: true, force: true });
  };
  return browser;
}

// Starts a batch with `start` and waits until it has finished; returns its state.
export async function finishBatch(page, start) {
  const before = await page.$eval("#batch-message", (message) => Number(message.dataset.batch ?? 0));
  await start();
  await page.waitForFunction(
    (before) => {
      const message = document.getElementById("batch-message");
      return Number(message.dataset.batch) > before && message.dataset.state !== "running";
    },
    { timeout: 120_000 },
    before,
  );
  return page.$eval("#batch-message", (message) => message.dataset.state);
}

// Ticks the batch's checkboxes of `fields` (kobal-lookup's names) and unticks the others, by
// clicks as a user would; resolves to the table's headings then.
export async function chooseFields(page, fields) {
  // Those to tick first: the last field chosen cannot be unticked.
  for (const tick of [true, false]) {
    for (const box of await page.$$("#batch-fields input[type=checkbox]")) {
      const [value, checked] = await box.evaluate((box) => [box.value, box.checked]);
      if (checked !== tick && fields.includes(value) === tick) await box.click();
    }
  }
  return page.$$eval("#batch-table th", (headings) => headings.map((heading) => heading.textContent));
}

// Pastes `text` into the focused element as Ctrl+V does, through the clipboard; an empty text
// is pasted as such.
export async function pasteText(page, text) {
  await page.evaluate((text) => {
    const put = (event) => {
      event.clipboardData.setData("text/plain", text);
      event.preventDefault();
    };
    document.addEventListener("copy", put, { once: true, capture: true });
    document.execCommand("copy");
  }, text);
  await page.keyboard.down("Control");
  await page.keyboard.press("KeyV", { commands: ["Paste"] });
  await page.keyboard.up("Control");
}

// The site served over HTTP by python3's http.server, as any static server would serve it: the
// origin's private file system, which gives the tests' save picker a real file, is refused on
// file://. Resolves to { url (of index.html), close() }.
export async function serveSite(directory) {
  const server = spawn("python3", ["-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory", directory], {
    stdio: ["ignore", "pipe", "ignore"],
  });
  const [banner] = await once(server.stdout, "data");
  return {
    url: `http://127.0.0.1:${/port (\d+)/.exec(banner.toString())[1]}/index.html`,
    close: () => server.kill(),
  };
}

// A new browser showing the site served over HTTP (see serveSite), ready to use, at `viewport`
// when given: { server, browser, page }.
export async function openServedPage(site, viewport) {
  const server = await serveSite(site);
  const browser = await launchBrowser();
  const page = await browser.newPage();
  if (viewport) await page.setViewport(viewport);
  await page.goto(server.url);
  await page.waitForSelector("html[data-ready]");
  return { server, browser, page };
}

// The page's save picker answered as a user accepting the suggested name would, with a file of
// the origin's private file system (the name kept in window.suggestedName); `present` false takes
// the picker away, as in browsers without one.
export const answerSavePicker = (page, present = true) =>
  page.evaluate((present) => {
    window.showSaveFilePicker = present
      ? async ({ suggestedName }) => {
          window.suggestedName = suggestedName;
          return (await navigator.storage.getDirectory()).getFileHandle(suggestedName, { create: true });
        }
      : undefined;
  }, present);

// Clicks a save button and waits for the save to end; its outcome and message.
export async function saveAndWait(page, button, timeout = 600_000) {
  await page.$eval("#batch-message", (message) => delete message.dataset.save);
  await page.click(button);
  await page.waitForFunction(
    () => ["done", "cancelled", "refused", "failed"].includes(document.getElementById("batch-message").dataset.save),
    { timeout },
  );
  return page.$eval("#batch-message", (message) => [message.dataset.save, message.textContent]);
}

// The files of the origins' private file systems as chromium keeps them, on disk in the
// browser's profile, largest first: read from there, not through the page.
export function privateFiles(browser) {
  const profile = browser.process().spawnargs.find((arg) => arg.startsWith("--user-data-dir=")).split("=")[1];
  return readdirSync(join(profile, "Default/File System"), { withFileTypes: true, recursive: true })
    .filter((entry) => entry.isFile())
    .map((entry) => join(entry.parentPath ?? entry.path, entry.name))
    .sort((a, b) => statSync(b).size - statSync(a).size);
}

// Records the page's tasks over 50 ms from now on; the returned function gives their durations
// since it was last called. Entries of tasks already ended may not have reached the callback
// yet: takeRecords() hands them over at once.
export async function watchLongTasks(page) {
  await page.evaluate(() => {
    const durations = (entries) => entries.map((entry) => entry.duration);
    window.longTasks = [];
    window.longTaskObserver = new PerformanceObserver((list) => window.longTasks.push(...durations(list.getEntries())));
    window.longTaskObserver.observe({ type: "longtask" });
    window.takeLongTasks = () => [...window.longTasks.splice(0), ...durations(window.longTaskObserver.takeRecords())];
  });
  return () => page.evaluate(() => window.takeLongTasks());
}

// Removes what the saves left in the origin's private file system.
export const clearPrivateFiles = (page) =>
  page.evaluate(async () => {
    const directory = await navigator.storage.getDirectory();
    for await (const name of directory.keys()) await directory.removeEntry(name);
  });

// Resolves to the title of the tab at `url` that `action` opens, and closes that tab.
export async function titleOfTabOpenedBy(browser, url, action) {
  const target = browser.waitForTarget((t) => t.url() === url, { timeout: 10_000 });
  await action();
  const tab = await (await target).page();
  await tab.waitForFunction(() => document.readyState === "complete");
  const title = await tab.title();
  await tab.close();
  return title;
}
