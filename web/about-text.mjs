// Build step of the web edition: writes the window's About text, read from the module that
// app/AboutText.cpp was compiled into, for the page's bundle to embed.
// Usage: node about-text.mjs ABOUT_WASM OUTPUT_TXT
import { readFileSync, writeFileSync } from "node:fs";

const [aboutWasmPath, outputPath] = process.argv.slice(2);
if (!outputPath) {
  console.error("usage: node about-text.mjs ABOUT_WASM OUTPUT_TXT");
  process.exit(2);
}

const { instance } = await WebAssembly.instantiate(readFileSync(aboutWasmPath), {
  env: { emscripten_notify_memory_growth: () => {} },
  wasi_snapshot_preview1: {
    proc_exit: (code) => {
      throw new Error(`exit ${code}`);
    },
  },
});
const wasm = instance.exports;
wasm._initialize();
const at = wasm.KobalAboutText();
const bytes = new Uint8Array(wasm.memory.buffer);
writeFileSync(outputPath, bytes.subarray(at, bytes.indexOf(0, at)));
