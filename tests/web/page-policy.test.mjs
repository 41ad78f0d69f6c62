// What the page and the module may load under their Content-Security-Policy, in Debian's
// chromium: from file://, images of the page's own making only (the window's icon shows, another
// local file does not); the kobal module under a policy without 'wasm-unsafe-eval' fails as its
// README says, and works with it.
import assert from "node:assert/strict";
import { once } from "node:events";
import { createServer } from "node:http";
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { after, before, test } from "node:test";
import { pathToFileURL } from "node:url";
import { launchBrowser } from "./browser.mjs";
import { MODULE, REPOSITORY, SITE } from "./environment.mjs";

let browser;
before(async () => {
  browser = await launchBrowser();
});
after(async () => {
  await browser?.close();
});

test("from file://, the window's icon shows and another local file's image is refused", async () => {
  const page = await browser.newPage();
  await page.goto(pathToFileURL(join(SITE, "index.html")).href);
  await page.waitForSelector("html[data-ready]");
  const icon = await page.$eval("#window-icon", async (image) => {
    await image.decode();
    return { width: image.naturalWidth, source: image.src.slice(0, 5) };
  });
  assert.deepEqual(icon, { width: 32, source: "data:" });
  assert.match(await page.$eval("#page-icon", (link) => link.href), /^data:image\/svg\+xml/);

  // The same icon as a local file, which 'self' on file:// would let the page load.
  const outside = pathToFileURL(join(REPOSITORY, "app/resources/icons/kobal.svg")).href;
  const refused = await page.evaluate(async (source) => {
    const violation = new Promise((resolve) =>
      document.addEventListener("securitypolicyviolation", (event) => resolve(event.effectiveDirective)),
    );
    const image = new Image();
    const loaded = new Promise((resolve) => {
      image.onload = () => resolve("loaded");
      image.onerror = () => resolve("error");
    });
    image.src = source;
    return { load: await loaded, width: image.naturalWidth, directive: await violation };
  }, outside);
  assert.deepEqual(refused, { load: "error", width: 0, directive: "img-src" });
  await page.close();
});

test("the module needs 'wasm-unsafe-eval' in script-src, as its README says", async () => {
  const moduleSource = readFileSync(join(MODULE, "kobal.js"));
  // A page that imports the module and shows the outcome in its title, under `policy`.
  const server = createServer((request, response) => {
    const policy = new URL(request.url, "http://localhost").searchParams.get("policy");
    if (request.url.startsWith("/kobal.js")) {
      response.writeHead(200, { "Content-Type": "text/javascript" }).end(moduleSource);
    } else if (request.url.startsWith("/use.js")) {
      response.writeHead(200, { "Content-Type": "text/javascript" }).end(
        'import("./kobal.js").then((kobal) => { document.title = kobal.detectCarrier("117"); },\n' +
          "  (error) => { document.title = `${error.name}: ${error.message}`; });\n",
      );
    } else {
      response
        .writeHead(200, { "Content-Type": "text/html", "Content-Security-Policy": policy })
        .end('<!DOCTYPE html><meta charset="utf-8"><script type="module" src="use.js"></script>');
    }
  });
  server.listen(0, "127.0.0.1");
  await once(server, "listening");
  try {
    const outcome = async (policy) => {
      const page = await browser.newPage();
      await page.goto(`http://127.0.0.1:${server.address().port}/?policy=${encodeURIComponent(policy)}`);
      await page.waitForFunction(() => document.title !== "", { timeout: 30_000 });
      const title = await page.title();
      await page.close();
      return title;
    };
    const readme = readFileSync(join(REPOSITORY, "web/module/README.md"), "utf8").replace(/\s+/g, " ");
    const refused = await outcome("script-src 'self'");
    assert.match(refused, /^CompileError: /);
    assert.ok(readme.includes(refused), `the README quotes the error users see: ${refused}`);
    assert.equal(await outcome("script-src 'self' 'wasm-unsafe-eval'"), "時報");
  } finally {
    server.close();
  }
});
