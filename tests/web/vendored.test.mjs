// The page's workbook writer is kept in web/vendor/, one folder a package: the page's script
// (through the workbook worker it holds) and the NOTICE beside it carry each package's licence
// notice, at the version kept, and web/vendor/README.md names that version.
import assert from "node:assert/strict";
import { readdirSync, readFileSync } from "node:fs";
import { join } from "node:path";
import { test } from "node:test";
import { REPOSITORY, SITE, WEB_BUILD } from "./environment.mjs";

const VENDOR = join(REPOSITORY, "web/vendor");
const squeezed = (text) => text.replace(/\s+/g, " ").trim();

// { folder, name, version, licence (its first line), copyright (its line), permission (the rest) }
const packages = readdirSync(VENDOR, { withFileTypes: true })
  .filter((entry) => entry.isDirectory())
  .map(({ name: folder }) => {
    const { name, version } = JSON.parse(readFileSync(join(VENDOR, folder, "package.json"), "utf8"));
    const text = readFileSync(join(VENDOR, folder, "LICENSE"), "utf8");
    const copyright = /^Copyright .*$/m.exec(text)?.[0];
    return {
      folder,
      name,
      version,
      licence: text.split("\n")[0].trim(),
      copyright,
      permission: squeezed(text.slice(text.indexOf(copyright) + copyright.length)),
    };
  });

test("each vendored folder is the package of its name, its licence and copyright named in the README", () => {
  assert.deepEqual(packages.map(({ folder }) => folder).sort(), ["fflate", "write-excel-file"]);
  const readme = readFileSync(join(VENDOR, "README.md"), "utf8");
  for (const { folder, name, version, copyright } of packages) {
    assert.equal(name, folder);
    assert.ok(readme.includes(`\`${name}@${version}\``), `README.md names ${name}@${version}`);
    assert.ok(readme.includes(copyright), `README.md gives ${copyright}`);
  }
});

test("the workbook worker and the page's script that starts it carry each package's notice", () => {
  const worker = readFileSync(join(WEB_BUILD, "generated/workbook-worker.txt"), "utf8");
  const page = readFileSync(join(SITE, "page/kobal-page.js"), "utf8");
  for (const { name, version, licence, copyright } of packages) {
    const notice = `/*! ${name} ${version} | ${licence} | ${copyright} */`;
    assert.ok(worker.includes(notice), `the worker holds ${notice}`);
    assert.ok(page.includes(notice), `kobal-page.js holds ${notice}`);
  }
});

test("the NOTICE beside the page gives each package's version, copyright and whole permission notice", () => {
  const notice = squeezed(readFileSync(join(SITE, "NOTICE"), "utf8"));
  for (const { name, version, copyright, permission } of packages) {
    assert.ok(notice.includes(`${name} ${version}`), `NOTICE names ${name} ${version}`);
    assert.ok(notice.includes(`${name}: ${copyright}`), `NOTICE gives ${name}'s ${copyright}`);
    assert.ok(notice.includes(permission), `NOTICE holds ${name}'s permission notice`);
  }
});
