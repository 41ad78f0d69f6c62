// Fails, saying what to run, unless the browser driver of the web tests (puppeteer-core, as
// package-lock.json pins it) is installed here: tools/install-deps.sh test installs it, and the
// tests themselves download nothing.
import { existsSync, readFileSync } from "node:fs";

const read = (path) => JSON.parse(readFileSync(new URL(path, import.meta.url), "utf8"));
const pinned = read("package-lock.json").packages["node_modules/puppeteer-core"].version;
const installedPath = "node_modules/puppeteer-core/package.json";
const installed = existsSync(new URL(installedPath, import.meta.url)) ? read(installedPath).version : null;
if (installed !== pinned) {
  const instead = installed === null ? "" : ` (${installed} is)`;
  console.error(`tests/web: puppeteer-core ${pinned}, the browser driver, is not installed${instead}: run  bash tools/install-deps.sh test`);
  process.exit(1);
}
