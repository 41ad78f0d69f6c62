// Types of the `kobal` module: Kobal's library in WebAssembly.

/**
 * What the number is, as the library answers it: "NTT固定（北海道札幌大通）", "フリーダイヤル",
 * "時報", "不明" ... The number is handed over as it is (its UTF-8 bytes, or the bytes given),
 * so pass plain digits, or `normalise(text)` first.
 */
export function detectCarrier(number: string | Uint8Array): string;

/** The same answer as the library's own Shift-JIS (code page 932) bytes, without the NUL. */
export function detectCarrierBytes(number: string | Uint8Array): Uint8Array;

/**
 * The digits of a number as people write it ("03-3520-1234", "+81 90 1234 5678", full-width
 * digits ...), or null when the text is not one number.
 */
export function normalise(text: string | Uint8Array): string | null;

/**
 * `detectCarrier` of every item, in one pass through the WebAssembly: items go to the library
 * as they are. Equal answers are one shared string. Throws a TypeError naming the first item that
 * is neither a string nor a Uint8Array.
 */
export function detectCarrierMany(numbers: readonly (string | Uint8Array)[]): string[];

/**
 * The answer of every item as kobal-lookup answers a line of a file: the written number
 * normalised ("03-3520-1234", "+81 90 ...", full-width digits), 不明 for a text that is not one
 * number. Equal answers are one shared string. Throws a TypeError naming the first item that is
 * neither a string nor a Uint8Array.
 */
export function lookupMany(texts: readonly (string | Uint8Array)[]): string[];
