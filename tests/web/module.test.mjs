// The kobal module as a Node.js program uses it: answers as JS strings equal to kobal-lookup's,
// the Shift-JIS bytes, the normaliser, bad arguments, and the package that `npm pack` makes,
// installed into an empty project and imported by a plain script.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdtempSync, readdirSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { test } from "node:test";
import { KOBAL_LOOKUP, MODULE, importModule, runNative } from "./environment.mjs";

const kobal = await importModule();

test("detectCarrier gives kobal-lookup's UTF-8 answer as a string", () => {
  const numbers = [
    "0112012345",
    "0153751234",
    "09012012345",
    "07050112345",
    "0120123456",
    "08001234567",
    "0990123456",
    "117",
    "110",
    "189",
    "046021234",
    "046031234",
    "0312345678",
    "1234",
    "",
  ];
  const lookup = runNative(KOBAL_LOOKUP, ["--raw", "--input", "-"], numbers.join("\n") + "\n")
    .toString("utf8")
    .split("\n")
    .slice(0, -1)
    .map((record) => record.slice(record.indexOf("\t") + 1));
  assert.deepEqual(numbers.map(kobal.detectCarrier), lookup);
  assert.equal(kobal.detectCarrier("0112012345"), "NTT固定（北海道札幌大通）");
});

test("detectCarrierBytes gives the library's Shift-JIS; a Uint8Array goes in unchanged", () => {
  assert.deepEqual([...kobal.detectCarrierBytes("117")], [0x8e, 0x9e, 0x95, 0xf1]); // 時報
  // 04602 and two full-width letters: nine bytes in Shift-JIS (Hakone), eleven as UTF-8.
  const shiftJis = Uint8Array.from([...Buffer.from("04602"), 0x82, 0x60, 0x82, 0x61]);
  assert.equal(
    new TextDecoder("shift_jis").decode(kobal.detectCarrierBytes(shiftJis)),
    "NTT固定（神奈川県箱根）",
  );
  assert.equal(kobal.detectCarrier("04602ＡＢ"), "不明");
  // A NUL would cut the number short in C; it is no number here, as in kobal-lookup.
  assert.equal(kobal.detectCarrier("117\u00000"), "不明");
  assert.equal(kobal.detectCarrier(Uint8Array.from([0x31, 0x31, 0x37, 0])), "不明");
});

test("normalise: digits, null for no number, and texts of any size", () => {
  assert.equal(kobal.normalise("+81 (0)3-3520-1234"), "0335201234");
  assert.equal(kobal.normalise("０９０－１２３４－５６７８"), "09012345678");
  assert.equal(kobal.normalise("03-3520-1234 ext"), null);
  assert.equal(kobal.normalise(""), null);
  assert.equal(kobal.normalise(" ".repeat(10_000_000) + "117"), "117");
  assert.equal(kobal.normalise("117"), "117", "the engine still answers after growing its memory");
});

test("arguments that are neither strings nor bytes are refused", () => {
  assert.throws(() => kobal.detectCarrier(117), TypeError);
  assert.throws(() => kobal.normalise(null), TypeError);
});

test("npm pack makes a package that installs into an empty project and imports", () => {
  const work = mkdtempSync(join(tmpdir(), "kobal-npm-"));
  try {
    const npm = (args, cwd) =>
      execFileSync("npm", [...args, "--no-audit", "--no-fund", "--loglevel=error"], {
        cwd,
        encoding: "utf8",
      });
    npm(["pack", "--pack-destination", work], MODULE);
    const [tarball] = readdirSync(work).filter((name) => /^kobal-\d+\.\d+\.\d+\.tgz$/.test(name));
    assert.ok(tarball, "npm pack wrote kobal-<version>.tgz");
    const project = join(work, "project");
    execFileSync("mkdir", [project]);
    writeFileSync(join(project, "package.json"), '{ "name": "uses-kobal", "private": true }\n');
    npm(["install", "--offline", join(work, tarball)], project);
    writeFileSync(
      join(project, "check.mjs"),
      'import { detectCarrier, normalise } from "kobal";\n' +
        'console.log(detectCarrier(normalise("011-201-2345")), normalise("x"));\n',
    );
    assert.equal(
      execFileSync("node", ["check.mjs"], { cwd: project, encoding: "utf8" }),
      "NTT固定（北海道札幌大通） null\n",
    );
    const listed = execFileSync("tar", ["-tzf", join(work, tarball)], { encoding: "utf8" })
      .split("\n")
      .filter(Boolean)
      .sort();
    assert.deepEqual(listed, [
      "package/LICENSE",
      "package/NOTICE",
      "package/README.md",
      "package/kobal.d.ts",
      "package/kobal.js",
      "package/package.json",
    ]);
  } finally {
    rmSync(work, { recursive: true, force: true });
  }
});
