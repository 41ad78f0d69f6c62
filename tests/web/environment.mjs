// Where the web tests find what they check: the web edition's build (KOBAL_WEB_BUILD, the
// wasm preset's web/ folder) and a native build (KOBAL_NATIVE_BUILD) for the answers of
// libKobalFnc.so and kobal-lookup. The wasm build's ctest sets both (the native build is its
// KOBAL_NATIVE_BUILD_DIR).
import { spawnSync } from "node:child_process";
import { createHash } from "node:crypto";
import { existsSync, readFileSync } from "node:fs";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

export const REPOSITORY = resolve(dirname(fileURLToPath(import.meta.url)), "../..");
const required = (name) => {
  const value = process.env[name];
  if (!value) throw new Error(`${name} is not set: run the web tests through ctest --preset wasm`);
  return resolve(value);
};
export const WEB_BUILD = required("KOBAL_WEB_BUILD");
export const NATIVE_BUILD = required("KOBAL_NATIVE_BUILD");
export const SITE = join(WEB_BUILD, "site");
export const MODULE = join(WEB_BUILD, "module");
export const KOBAL_LOOKUP = join(NATIVE_BUILD, "cli/kobal-lookup");
const NATIVE_ANSWERS = join(NATIVE_BUILD, "tests/web/kobal-native-answers");

for (const path of [join(SITE, "index.html"), join(MODULE, "kobal.js"), KOBAL_LOOKUP, NATIVE_ANSWERS]) {
  if (!existsSync(path))
    throw new Error(`${path} is missing: build the wasm preset, and kobal-lookup and kobal-native-answers in the native build (KOBAL_NATIVE_BUILD_DIR)`);
}

export const importModule = () => import(pathToFileURL(join(MODULE, "kobal.js")).href);

// Runs a native program on `input`; its standard output as a Buffer.
export function runNative(program, args, input) {
  const run = spawnSync(program, args, { input, maxBuffer: 1 << 30 });
  if (run.status !== 0) throw new Error(`${program} ${args.join(" ")} failed: ${run.stderr}`);
  return run.stdout;
}

// The native library's answer to each line, in hex, or the native normaliser's digits ("-"
// for no number). Lines must not hold LF.
export const nativeAnswers = (mode, lines) =>
  runNative(
    NATIVE_ANSWERS,
    [mode],
    Buffer.concat(lines.flatMap((line) => [Buffer.from(line), Buffer.from("\n")])),
  )
    .toString("latin1")
    .split("\n")
    .slice(0, -1);

// The normaliser's test table: { written (bytes), expected (digits or null), line }.
export function readWrittenForms() {
  const path = join(REPOSITORY, "tests/normaliser/written-forms.tsv");
  const forms = [];
  readFileSync(path, "utf8")
    .split("\n")
    .forEach((text, index) => {
      if (text === "" || text.startsWith("#")) return;
      const tab = text.lastIndexOf("\t");
      const expected = text.slice(tab + 1);
      forms.push({
        written: unescapeForm(text.slice(0, tab)),
        expected: expected === "-" ? null : expected,
        line: index + 1,
      });
    });
  return forms;
}

// The escapes of the table, read as the normaliser's own test reads them: \t, \uXXXX and
// \UXXXXXXXX (a code point), \xHH (one raw byte); before any other character, that character.
function unescapeForm(field) {
  const bytes = [];
  const text = (s) => bytes.push(...Buffer.from(s, "utf8"));
  for (let i = 0; i < field.length; i++) {
    if (field[i] !== "\\") {
      const char = String.fromCodePoint(field.codePointAt(i));
      text(char);
      i += char.length - 1;
      continue;
    }
    const kind = field[++i];
    const digits = { x: 2, u: 4, U: 8 }[kind] ?? 0;
    if (digits === 0) {
      text(kind === "t" ? "\t" : kind);
      continue;
    }
    const value = parseInt(field.slice(i + 1, i + 1 + digits), 16);
    if (kind === "x") bytes.push(value);
    else text(String.fromCodePoint(value));
    i += digits;
  }
  return Uint8Array.from(bytes);
}

// The SHA-256 (hex) of what a stream of bytes holds.
export async function sha256(stream) {
  const hash = createHash("sha256");
  for await (const chunk of stream) hash.update(chunk);
  return hash.digest("hex");
}

// The shared table of fields (tests/support/fields.tsv): { names (its header: every field, in
// kobal-lookup's order), rows (an object a row, field name to cell) }.
export function readFieldsTable() {
  const [header, ...lines] = readFileSync(join(REPOSITORY, "tests/support/fields.tsv"), "utf8")
    .split("\n")
    .filter((line) => line !== "");
  const names = header.split("\t");
  const rows = lines.map((line) => Object.fromEntries(line.split("\t").map((cell, i) => [names[i], cell])));
  return { names, rows };
}
