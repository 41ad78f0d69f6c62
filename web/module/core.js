// Kobal's engine in JavaScript: DetectCarrier, the normaliser of written numbers and the text
// codecs of kobal-lookup, compiled to WebAssembly from the project's own sources, behind
// functions that take and give JS values. One source for the `kobal` module and the page, which
// the build bundles each with the WebAssembly bytes.

// Copies an ASCII string's characters to bytes[at ...]; gives where they end, or -1 when the
// string holds other characters. Leaves in putDigitsOnly whether they are all digits.
let putDigitsOnly = false;
function putAscii(text, bytes, at) {
  let other = 0;
  for (let i = 0; i < text.length; i++) {
    const unit = text.charCodeAt(i);
    if (unit >= 0x80) return -1;
    other |= (unit - 0x30) | (0x39 - unit); // negative for anything but a digit
    bytes[at++] = unit;
  }
  putDigitsOnly = other >= 0;
  return at;
}

// The fields of an answer as kobal-lookup's --fields names them, in the order the engine numbers
// them.
export const FIELDS = Object.freeze([
  "input",
  "number",
  "formatted",
  "status",
  "kind",
  "prefecture",
  "place",
  "ma",
  "carrier",
  "region",
  "result",
]);

// Compiles and starts the module from its bytes, or starts one compiled already (another
// engine's `compiled`, as a worker is given it); resolves to the engine.
export async function createKobal(wasmBytes) {
  const compiled = wasmBytes instanceof WebAssembly.Module ? wasmBytes : await WebAssembly.compile(wasmBytes);
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
  const utf8Decoder = new TextDecoder("utf-8");

  const resultAt = wasm.malloc(wasm.KobalResultSize());

  // Views of the module's memory are renewed after it grows (growth detaches the old buffer).
  let heap = new Uint8Array(wasm.memory.buffer);
  const memory = () => {
    if (heap.buffer !== wasm.memory.buffer) heap = new Uint8Array(wasm.memory.buffer);
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

  // The library's answer for the `size` bytes at `at` as they stand, which are followed by room
  // for a NUL, by the lookup core's rule (one holding a NUL is no number, as in kobal-lookup).
  const detectAt = (at, size) => {
    memory()[at + size] = 0;
    wasm.KobalDetectCarrier(at, size, resultAt);
    return memory().indexOf(0, resultAt) - resultAt;
  };

  // An answer's text as every front end shows it, from its Shift-JIS bytes at `at`.
  const answerUtf8 = (at) => {
    const text = wasm.KobalAnswerUtf8(at);
    return utf8Decoder.decode(memory().subarray(text, memory().indexOf(0, text)));
  };

  // The answer's Shift-JIS bytes, as the library wrote them, without the NUL.
  const detectCarrierBytes = (number) => {
    const size = put(number);
    const length = detectAt(area, size);
    return memory().slice(resultAt, resultAt + length);
  };

  const detectCarrier = (number) => {
    detectAt(area, put(number));
    return answerUtf8(resultAt);
  };

  // The digits of a written number, or null when the text is not one number; normalisePasted
  // takes text pasted into a number field, which may end in a line end (a copied cell's).
  const normaliseWith = (normaliser) => (text) => {
    const size = put(text);
    const digits = normaliser(area, size, numberArea());
    return digits < 0 ? null : utf8Decoder.decode(memory().subarray(numberArea(), numberArea() + digits));
  };
  const normalise = normaliseWith(wasm.KobalNormaliseNumber);
  const normalisePasted = normaliseWith(wasm.KobalNormalisePastedNumber);

  // Answers met so far, by the number the module gave them: their Shift-JIS bytes and their
  // text, made when first asked for, so that a million lines hold a few hundred strings.
  const answers = [];
  const answer = (id) => {
    if (answers[id] === undefined) {
      const at = wasm.KobalAnswerText(id);
      if (at === 0) throw new RangeError(`kobal: no answer ${id}`);
      const bytes = memory().slice(at, memory().indexOf(0, at));
      answers[id] = { bytes, text: answerUtf8(at) };
    }
    return answers[id];
  };

  // Bytes of whole lines handed to the module at once (the last line of a block runs on to its
  // LF); a block holds at most this many lines, which bounds the room for what comes back.
  const BLOCK = 1 << 19;
  let lineArea = 0; // BLOCK line starts (32 bits each), then BLOCK answer numbers (16 bits each)

  // Normalises and answers the lines of `text` (UTF-8 bytes) in the block that starts at byte
  // `from`, the start of a line. Resolves to { end, starts, answerIds }: where the next block
  // starts, and each line's start in `text` and answer number (see answer()); a line that is
  // not one number gets the answer for no number, as in kobal-lookup. The arrays are views of
  // the module's memory, valid until the next call.
  const blockEnd = (text, from) => {
    if (from + BLOCK >= text.length) return text.length;
    const newline = text.indexOf(10, from + BLOCK - 1);
    return newline >= 0 ? newline + 1 : text.length;
  };
  const classifyBlock = (text, from) => {
    const end = blockEnd(text, from);
    if (lineArea === 0) {
      lineArea = wasm.malloc(6 * BLOCK);
      if (lineArea === 0) throw new RangeError("kobal: not enough memory for a batch");
    }
    const size = end - from;
    reserve(size);
    memory().set(text.subarray(from, end), area);
    const lines = wasm.KobalClassifyLines(area, size, from, lineArea, lineArea + 4 * BLOCK);
    const buffer = wasm.memory.buffer;
    return {
      end,
      starts: new Uint32Array(buffer, lineArea, lines),
      answerIds: new Uint16Array(buffer, lineArea + 4 * BLOCK, lines),
    };
  };

  // The batch's CSV records (the fields named in `fields`, in that order, CRLF; see
  // KobalBatchCsv) of the lines of `text` in the block that starts at byte `from`, in "utf-8" or
  // "shift_jis". Gives { end, bytes }: where the next block starts, and a view of the module's
  // memory valid until the next call.
  const csvWrittenAt = wasm.malloc(4);
  const csvFieldsAt = wasm.malloc(FIELDS.length);
  const csvBlock = (text, from, encoding, fields) => {
    const end = blockEnd(text, from);
    const size = end - from;
    reserve(size);
    memory().set(text.subarray(from, end), area);
    if (fields.length > FIELDS.length) throw new RangeError("kobal: a field is named twice");
    fields.forEach((field, i) => {
      const index = FIELDS.indexOf(field);
      if (index < 0) throw new RangeError(`kobal: no field ${field}`);
      memory()[csvFieldsAt + i] = index;
    });
    const shiftJis = encoding === "shift_jis" ? 1 : 0;
    const at = wasm.KobalBatchCsv(area, size, shiftJis, csvFieldsAt, fields.length, csvWrittenAt);
    const written = new DataView(wasm.memory.buffer).getUint32(csvWrittenAt, true);
    return { end, bytes: memory().subarray(at, at + written) };
  };

  // Arrays of items answered a block at a time: the block's items laid out in the module's
  // memory, each followed by a NUL, their ends noted, and one call for all of them. A block holds
  // at most ITEMS items, and as many as fit in ITEM_ROOM bytes (a larger first item has its own).
  const ITEMS = 1 << 16;
  const ITEM_ROOM = 1 << 20;
  const DIGITS_ONLY = 1 << 31; // the top bit of an item's end: it is ASCII digits only
  let itemArea = 0; // ITEMS item ends (32 bits each), then ITEMS answer numbers (16 bits each)
  const answerTexts = [];

  // The most bytes `item` takes laid out, its NUL included; refuses what is not an item.
  const roomFor = (item, index) => {
    if (typeof item === "string") return 3 * item.length + 1;
    if (item instanceof Uint8Array) return item.length + 1;
    throw new TypeError(`kobal: item ${index} is neither a string nor a Uint8Array`);
  };

  // Lays out the items of a block from items[from], their ends in the item area; gives how many
  // it took. ASCII is copied character by character, which costs less than joining the items or
  // a call of the encoder for each; an item with other characters is encoded as a whole.
  const layBlock = (items, from) => {
    reserve(Math.max(ITEM_ROOM, roomFor(items[from], from)));
    const bytes = memory();
    const limit = area + areaSize;
    const ends = new Uint32Array(wasm.memory.buffer, itemArea, ITEMS);
    const count = Math.min(ITEMS, items.length - from);
    let at = area;
    let i = 0;
    for (; i < count; i++) {
      const item = items[from + i];
      let digitsOnly = false;
      if (typeof item === "string") {
        if (at + 3 * item.length >= limit) break;
        const end = putAscii(item, bytes, at);
        digitsOnly = end >= 0 && putDigitsOnly;
        if (end >= 0) at = end;
        else at += utf8Encoder.encodeInto(item, bytes.subarray(at, at + 3 * item.length)).written;
      } else {
        if (at + roomFor(item, from + i) > limit) break;
        bytes.set(item, at);
        at += item.length;
      }
      ends[i] = (at - area) | (digitsOnly ? DIGITS_ONLY : 0);
      bytes[at++] = 0;
    }
    return i;
  };
  const startItems = (items) => {
    if (!Array.isArray(items)) throw new TypeError("kobal: expected an array of strings or Uint8Arrays");
    if (itemArea === 0) {
      itemArea = wasm.malloc(6 * ITEMS);
      if (itemArea === 0) throw new RangeError("kobal: not enough memory for a batch");
    }
  };

  // The answers of an array of strings or Uint8Arrays: when `raw`, each item's detectCarrier;
  // otherwise each item's answer as a line of kobal-lookup (normalised, 不明 when it is not one
  // number). Equal answers are one shared string.
  const answerMany = (items, raw) => {
    startItems(items);
    const results = new Array(items.length);
    const answersAt = itemArea + 4 * ITEMS;
    for (let from = 0; from < items.length; ) {
      const count = layBlock(items, from);
      wasm.KobalAnswerItems(area, count, itemArea, raw ? 1 : 0, answersAt);
      // Answers are numbered in the order met: those new in this block come after the known.
      while (wasm.KobalAnswerText(answerTexts.length) !== 0)
        answerTexts.push(answer(answerTexts.length).text);
      const ids = new Uint16Array(wasm.memory.buffer, answersAt, count);
      for (let i = 0; i < count; i++) results[from + i] = answerTexts[ids[i]];
      from += count;
    }
    return results;
  };
  const detectCarrierMany = (numbers) => answerMany(numbers, true);
  const lookupMany = (texts) => answerMany(texts, false);

  // Every item answered as data, as kobal-lookup answers a line: an array of objects with the
  // fields but input, an empty field null. A block's records are a word an item (see
  // KobalParseItems): the number of the set of its fields but number and formatted, each set and
  // each text decoded once, when first met; whether its number is the item itself; the length of
  // formatted in one run of ASCII, after the number where that is not the item (its length in a
  // second array).
  const SET_SHIFT = 6;
  const AS_ITEM = 32;
  const FORMATTED_SIZE = 31;
  let recordArea = 0; // ITEMS records, then ITEMS number lengths (32 bits each)
  const fieldTexts = [null]; // text 0 is an empty field
  const fieldSets = []; // [status, kind, prefecture, place, ma, carrier, region, result]
  const charsSizeAt = wasm.malloc(4);
  const readFieldSets = () => {
    for (let at; (at = wasm.KobalFieldSet(fieldSets.length)) !== 0; ) {
      const numbers = new Uint32Array(wasm.memory.buffer, at, 8);
      for (let text = fieldTexts.length; (at = wasm.KobalFieldText(text)) !== 0; text++)
        fieldTexts.push(utf8Decoder.decode(memory().subarray(at, memory().indexOf(0, at))));
      fieldSets.push(Array.from(numbers, (number) => fieldTexts[number]));
    }
  };
  const parseMany = (texts) => {
    startItems(texts);
    if (recordArea === 0) {
      recordArea = wasm.malloc(8 * ITEMS);
      if (recordArea === 0) throw new RangeError("kobal: not enough memory for a batch");
    }
    const results = new Array(texts.length);
    for (let from = 0; from < texts.length; ) {
      const count = layBlock(texts, from);
      const numberSizesAt = recordArea + 4 * ITEMS;
      const charsAt = wasm.KobalParseItems(area, count, itemArea, recordArea, numberSizesAt, charsSizeAt);
      readFieldSets();
      const charsSize = new DataView(wasm.memory.buffer).getUint32(charsSizeAt, true);
      const chars = utf8Decoder.decode(memory().subarray(charsAt, charsAt + charsSize));
      const records = new Uint32Array(wasm.memory.buffer, recordArea, count);
      const numberSizes = new Uint32Array(wasm.memory.buffer, numberSizesAt, count);
      let at = 0;
      for (let i = 0; i < count; i++) {
        const record = records[i];
        let number = null;
        if ((record & AS_ITEM) !== 0) {
          number = texts[from + i]; // digits asked as they stand: no new string for them
        } else {
          const numberSize = numberSizes[i];
          if (numberSize > 0) number = chars.slice(at, (at += numberSize));
        }
        const formattedSize = record & FORMATTED_SIZE;
        const formatted = formattedSize > 0 ? chars.slice(at, (at += formattedSize)) : null;
        const set = fieldSets[record >>> SET_SHIFT];
        results[from + i] = {
          number,
          formatted,
          status: set[0],
          kind: set[1],
          prefecture: set[2],
          place: set[3],
          ma: set[4],
          carrier: set[5],
          region: set[6],
          result: set[7],
        };
      }
      from += count;
    }
    return results;
  };
  const parse = (text) => {
    if (typeof text !== "string" && !(text instanceof Uint8Array))
      throw new TypeError("kobal: expected a string or a Uint8Array");
    return parseMany([text])[0];
  };
  const format = (text) => parse(text).formatted;

  // A file's text as kobal-lookup reads it, decoded in the module piece by piece.
  // beginText(start): the file's first bytes (three, unless it is shorter) start a file; gives
  // how many of them are a byte order mark, which decodeText is not to be given.
  // decodeText(piece, last): the UTF-8 of the next piece, as far as its lines have ended (the
  // rest comes with a later piece), as a view of the module's memory valid until the next call.
  // textEncoding(): how the text was read so far, "UTF-8" as long as it is the file's bytes as
  // they are, else "Shift-JIS", "UTF-8+Shift-JIS" (lines beyond ASCII in both), "UTF-16LE" or
  // "UTF-16BE".
  const decodedSizeAt = wasm.malloc(4);
  const beginText = (start) => {
    const size = put(start); // first: it may move the area
    return wasm.KobalBeginText(area, size);
  };
  const decodeText = (piece, last) => {
    const size = put(piece);
    const at = wasm.KobalDecodeText(area, size, last ? 1 : 0, decodedSizeAt);
    const decodedSize = new DataView(wasm.memory.buffer).getUint32(decodedSizeAt, true);
    return memory().subarray(at, at + decodedSize);
  };
  const textEncoding = () => {
    const at = wasm.KobalTextEncoding();
    return utf8Decoder.decode(memory().subarray(at, heap.indexOf(0, at)));
  };

  // The code page 932 bytes of a text, as kobal-lookup writes Shift-JIS: "?" for what the code
  // page cannot hold.
  const encodeCp932 = (text) => {
    const size = put(text);
    const written = wasm.KobalEncodeCp932(area, size, numberArea());
    return memory().slice(numberArea(), numberArea() + written);
  };

  // recordsReader(columns, header, { kept, csv, workbook, fields }): a CSV, TSV or Unicode text
  // file read as records by kobal-lookup's reader, fed a piece at a time, the 0-based `columns`
  // answered (the cells of `fields`, names from FIELDS, after each record's cells: number, status
  // and result when none are given); header is "auto", "present" or "absent". feed(bytes, final)
  // takes the file's next bytes, cut anywhere (its form is settled from its first 64 KB), and
  // gives the CSV of the records they end, in the file's own form, when `csv` is "guarded" (cells
  // a spreadsheet would evaluate written as text) or "raw". read() gives { encoding, delimiter,
  // header, suggested (columns named like 電話番号, TEL, FAX), warnings, count (records with the
  // header row), rows (the first `kept` of them), widths }. With `workbook`, the rows' cells are
  // as a workbook holds them (a cell over Excel's 32,767 characters cut, with a warning) and
  // widths are their columns' widths in characters. One file is read at a time: starting another
  // reader ends the last one.
  const recordsReader = (
    columns = [],
    header = "auto",
    { kept = 0xffffffff, csv = "none", workbook = false, fields = [] } = {},
  ) => {
    const list = utf8Encoder.encode(columns.map((column) => column + 1).join(",") + "\0" + fields.join(",") + "\0");
    const listAt = wasm.malloc(list.length);
    if (listAt === 0) throw new RangeError("kobal: not enough memory for this file");
    memory().set(list, listAt);
    const fieldsAt = listAt + list.indexOf(0) + 1;
    const mode = { auto: 0, present: 1, absent: 2 }[header] ?? 0;
    const begun = wasm.KobalRecordsBegin(listAt, fieldsAt, mode, kept, { none: 0, guarded: 1, raw: 2 }[csv], workbook ? 1 : 0);
    wasm.free(listAt);
    if (!begun) throw new RangeError(`kobal: no such fields: ${fields.join(",")}`);
    return {
      feed(bytes, final) {
        const at = wasm.malloc(bytes.length + 1);
        if (at === 0) throw new RangeError("kobal: not enough memory for this file");
        memory().set(bytes, at);
        const csvAt = wasm.KobalRecordsFeed(at, bytes.length, final ? 1 : 0, decodedSizeAt);
        wasm.free(at);
        const size = new DataView(wasm.memory.buffer).getUint32(decodedSizeAt, true);
        return memory().slice(csvAt, csvAt + size);
      },
      read() {
        const jsonAt = wasm.KobalRecordsRead();
        const bytesOut = memory();
        return JSON.parse(utf8Decoder.decode(bytesOut.subarray(jsonAt, bytesOut.indexOf(0, jsonAt))));
      },
    };
  };

  // The window's About text (UTF-8 in the module), for the page's About box.
  const aboutText = () => {
    const at = wasm.KobalAboutText();
    return utf8Decoder.decode(memory().subarray(at, heap.indexOf(0, at)));
  };

  return Object.freeze({
    compiled,
    recordsReader,
    detectCarrier,
    detectCarrierBytes,
    detectCarrierMany,
    lookupMany,
    format,
    parse,
    parseMany,
    normalise,
    normalisePasted,
    classifyBlock,
    csvBlock,
    answer,
    beginText,
    decodeText,
    textEncoding,
    encodeCp932,
    aboutText,
  });
}
