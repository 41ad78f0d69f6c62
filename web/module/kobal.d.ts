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

/**
 * One text answered as data, as kobal-lookup answers a line: every field but `input`, an empty
 * field `null`. For a text that is not one number, every field but `status` and `result` is null.
 */
export interface Answer {
  /** The digits that went to the library ("0335201234"). */
  number: string | null;
  /**
   * The number with hyphens where the numbering splits it: "03-3520-1234", "0123-20-1234",
   * "090-1234-5678", "0120-123-456", "117". Null for numbers outside the numbering of 2000
   * (050, 080, 0570 ...) and for ten digits whose first six the ministry's list does not hold.
   */
  formatted: string | null;
  /** "number" (the library was asked, whatever it answered) or "not-a-number". */
  status: "number" | "not-a-number";
  /** What the library's answer makes the number; null for a text that is not one number. */
  kind: "fixed" | "mobile" | "phs" | "toll-free" | "information" | "service" | "unknown" | null;
  /** Fixed lines: the prefecture of the exchange area (北海道, 東京都 ...). */
  prefecture: string | null;
  /** Fixed lines: the exchange area without the prefecture (札幌大通, 新有明 ...). */
  place: string | null;
  /** The unit charge area (単位料金区域) of a ten-digit number's first six digits, whatever the answer. */
  ma: string | null;
  /** Fixed lines: NTT東日本 or NTT西日本; mobile and PHS: the carrier's brand (NTTドコモ, J-PHONE ...). */
  carrier: string | null;
  /** Mobile and PHS: the region in the carrier's name (関西, 東京 ...). */
  region: string | null;
  /**
   * The library's answer unchanged, as lookupMany gives it ("NTT固定（東京都新有明）", "不明");
   * null where the library's answer is empty (a mobile block it names no carrier for).
   */
  result: string | null;
}

/** The text's number with hyphens where the numbering splits it ("03-3520-1234"), or null. */
export function format(text: string | Uint8Array): string | null;

/** The text answered as data: `parse("03-3520-1234").prefecture` is "東京都". */
export function parse(text: string | Uint8Array): Answer;

/**
 * `parse` of every item, in one pass through the WebAssembly: an array of answers in the items'
 * order. Equal texts in fields are shared strings. Throws a TypeError naming the first item that
 * is neither a string nor a Uint8Array.
 */
export function parseMany(texts: readonly (string | Uint8Array)[]): Answer[];
