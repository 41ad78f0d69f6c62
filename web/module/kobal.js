// kobal: Kobal's library in WebAssembly, as an ES module. The build bundles it with the engine
// and the WebAssembly bytes into the package's one kobal.js.
import wasmBytes from "kobal-wasm";
import { createKobal } from "./core.js";

const engine = await createKobal(wasmBytes);

/** What the number is, as the library answers it, decoded from its Shift-JIS. */
export const detectCarrier = engine.detectCarrier;
/** The same answer as the library's own Shift-JIS bytes, without the NUL. */
export const detectCarrierBytes = engine.detectCarrierBytes;
/** The digits of a number as people write it, or null when the text is not one number. */
export const normalise = engine.normalise;
/** detectCarrier of every item of an array, in one pass through the WebAssembly. */
export const detectCarrierMany = engine.detectCarrierMany;
/** The answer of every item as kobal-lookup answers a line: written numbers normalised. */
export const lookupMany = engine.lookupMany;
/** The number with hyphens where the numbering splits it ("03-3520-1234"), or null. */
export const format = engine.format;
/** Every field of the answer to a written text (input aside), an empty field null. */
export const parse = engine.parse;
/** parse of every item of an array, in one pass through the WebAssembly. */
export const parseMany = engine.parseMany;
