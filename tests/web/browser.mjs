// Debian's chromium, headless, started by puppeteer-core the way the web tests, the benchmark
// and the screenshot need it (no sandbox when root, nothing reaching out to the network), and
// a batch of the page run to its end.
import { mkdtempSync, rmSync } from "node:fs";
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
