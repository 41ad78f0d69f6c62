// Kobal's engine in JavaScript: DetectCarrier and the normaliser of written numbers, compiled to
// WebAssembly from the library's own sources, behind functions that take and give JS values.
// One source for the `kobal` module (an ES module) and the page (a classic script, which file://
// allows): the build wraps it for each and puts the WebAssembly bytes beside it.
"use strict";

/* exported createKobal, bytesFromBase64 */

// The WebAssembly bytes that the build embeds as base64 text.
function bytesFromBase64(text) {
  const binary = atob(text);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
  return bytes;
}

// Compiles and starts the module from its bytes; resolves to the engine.
async function createKobal(wasmBytes) {
  const RESULT_WORDS = 12; // 48 bytes: KOBAL_RESULT_SIZE (the longest answer and its NUL) is 46

  const compiled = await WebAssembly.compile(wasmBytes);
  // The module is built standalone: it imports only the C runtime's exit (reached on a fault
  // such as running out of memory) and a notice of memory growth.
  const imports = {};
  for (const { module, name } of WebAssembly.Module.imports(compiled)) {
    imports[module] = imports[module] || {};
    imports[module][name] =
      name === "emscripten_notify_memory_growth"
        ? () => {}
        : () => {
            throw new Error(`kobal: the WebAssembly module stopped (${module}.${name})`);
          };
  }
  const instance = await WebAssembly.instantiate(compiled, imports);
  const wasm = instance.exports;
  wasm._initialize();

  const utf8Encoder = new TextEncoder();
  const asciiDecoder = new TextDecoder("utf-8");
  const shiftJisDecoder = new TextDecoder("shift_jis");

  const resultAt = wasm.malloc(4 * RESULT_WORDS);

  // Views of the module's memory are renewed after it grows (growth detaches the old buffer).
  let heap = new Uint8Array(wasm.memory.buffer);
  let resultWords = new Uint32Array(wasm.memory.buffer, resultAt, RESULT_WORDS);
  const memory = () => {
    if (heap.buffer !== wasm.memory.buffer) {
      heap = new Uint8Array(wasm.memory.buffer);
      resultWords = new Uint32Array(wasm.memory.buffer, resultAt, RESULT_WORDS);
    }
    return heap;
  };
  // One area for the text going in and, after it, the normalised number coming out.
  let area = 0;
  let areaSize = 0;
  const reserve = (size) => {
    if (size > areaSize) {
      if (area !== 0) wasm.free(area);
      areaSize = Math.max(size, 2 * areaSize, 4096);
      area = wasm.malloc(2 * (areaSize + 1));
      if (area === 0) {
        areaSize = 0;
        throw new RangeError("kobal: not enough memory for a text of this size");
      }
    }
    return area;
  };
  const numberArea = () => area + areaSize + 1;
  reserve(4096);

  // Puts a string's UTF-8 bytes, or a byte array as it is, into the input area; returns its size.
  const put = (text) => {
    if (typeof text === "string") {
      reserve(3 * text.length);
      return utf8Encoder.encodeInto(text, memory().subarray(area, area + areaSize)).written;
    }
    if (!(text instanceof Uint8Array)) throw new TypeError("kobal: expected a string or a Uint8Array");
    reserve(text.length);
    memory().set(text, area);
    return text.length;
  };

  // DetectCarrier on `size` bytes at `at`, which are followed by room for a NUL. A NUL inside
  // would end the number early and answer for another one, so such a text gets the answer for
  // no number at all, as kobal-lookup gives it.
  const detectAt = (at, size) => {
    const bytes = memory();
    const holdsNul = bytes.subarray(at, at + size).indexOf(0) >= 0;
    bytes[at + size] = 0;
    wasm.DetectCarrier(holdsNul ? at + size : at, resultAt);
    return memory().indexOf(0, resultAt) - resultAt;
  };

  // The answer's Shift-JIS bytes, as the library wrote them, without the NUL.
  const detectCarrierBytes = (number) => {
    const size = put(number);
    const length = detectAt(area, size);
    return memory().slice(resultAt, resultAt + length);
  };

  const detectCarrier = (number) => shiftJisDecoder.decode(detectCarrierBytes(number));

  // The digits of a written number, or null when the text is not one number.
  const normalise = (text) => {
    const size = put(text);
    const digits = wasm.KobalNormaliseNumber(area, size, numberArea());
    return digits < 0 ? null : asciiDecoder.decode(memory().subarray(numberArea(), numberArea() + digits));
  };

  // Answers met so far, each once: its Shift-JIS bytes and its text. A batch refers to them by
  // number, so a million lines hold a few hundred strings.
  const answers = [];
  const answerByHash = new Map(); // the first answer of each hash
  const answerByKey = new Map(); // every answer, by its bytes as a string, for hashes met twice

  // The number of the answer in the result buffer, found by its 32-bit words up to its NUL
  // without making a string; what follows the NUL is left from earlier calls and masked off.
  const internResult = () => {
    memory();
    const words = resultWords;
    let hash = 0x811c9dc5;
    let count = 0;
    let last = 0; // the word holding the NUL, masked
    while (count < RESULT_WORDS) {
      const word = words[count++];
      const zeros = (word - 0x01010101) & ~word & 0x80808080; // the lowest marks the first NUL
      if (zeros !== 0) {
        const kept = (31 - Math.clz32(zeros & -zeros)) >> 3; // bytes before the NUL
        last = kept === 0 ? 0 : word & ((1 << (8 * kept)) - 1);
        hash = Math.imul(hash ^ last, 16777619);
        break;
      }
      hash = Math.imul(hash ^ word, 16777619);
    }
    const id = answerByHash.get(hash);
    if (id !== undefined) {
      const known = answers[id].words;
      let same = known.length === count && known[count - 1] === last;
      for (let i = 0; same && i < count - 1; i++) same = known[i] === words[i];
      if (same) return id;
    }
    const bytes = heap.slice(resultAt, heap.indexOf(0, resultAt));
    const key = String.fromCharCode(...bytes);
    let found = answerByKey.get(key);
    if (found === undefined) {
      const known = words.slice(0, count);
      known[count - 1] = last;
      found = answers.push({ bytes, text: shiftJisDecoder.decode(bytes), words: known }) - 1;
      answerByKey.set(key, found);
    }
    if (id === undefined) answerByHash.set(hash, found);
    return found;
  };

  // Normalises and answers the lines `first` to `last` - 1 of `text` (UTF-8 bytes): line i runs
  // from starts[i] to the byte before starts[i + 1], which is its LF (a CR before that is
  // dropped). Stores each line's answer number in answerIds; a line that is not one number gets
  // the answer for no number, as in kobal-lookup. Lines are copied in runs of about a megabyte.
  const classifyLines = (text, starts, first, last, answerIds) => {
    const noNumber = internNoNumber();
    let line = first;
    while (line < last) {
      const runStart = starts[line];
      let runEnd = line + 1;
      while (runEnd < last && starts[runEnd + 1] - runStart <= 1 << 20) runEnd++;
      const runSize = starts[runEnd] - runStart;
      reserve(runSize);
      memory().set(text.subarray(runStart, runStart + runSize), area);
      const out = numberArea();
      for (; line < runEnd; line++) {
        let end = starts[line + 1] - 1;
        const start = starts[line];
        if (end > start && text[end - 1] === 13) end--;
        const digits = wasm.KobalNormaliseNumber(area + start - runStart, end - start, out);
        if (digits < 0) {
          answerIds[line] = noNumber;
        } else {
          wasm.DetectCarrier(out, resultAt);
          answerIds[line] = internResult();
        }
      }
    }
  };

  const internNoNumber = () => {
    detectAt(reserve(1), 0);
    return internResult();
  };

  return Object.freeze({
    detectCarrier,
    detectCarrierBytes,
    normalise,
    classifyLines,
    answer: (id) => answers[id],
  });
}
