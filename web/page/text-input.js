// The text of a batch: a file's bytes read as kobal-lookup reads them (a byte order mark decides
// for the file; without one, each line is UTF-8 if it is valid UTF-8, else code page 932), by
// the engine's codecs, made UTF-8 to be cut into lines at LF by the engine. The work pauses now
// and then for the page: pause(done, total) tells how many of the bytes have been read.
import { ByteSink } from "./byte-sink.js";

export const INPUT_LIMIT = 256 << 20; // bytes: millions of lines, and room in a tab for their answers
const PIECE = 4 << 20; // bytes decoded between two pauses

// { utf8, encoding }: the text as UTF-8 bytes and the name of the encoding it was read in.
// What the encoding does not define becomes U+FFFD, so that every line still gets its row.
// While the text is the file's own bytes (UTF-8) they are used as they are, not copied.
export async function readTextAsUtf8(engine, bytes, pause) {
  const start = engine.beginText(bytes.subarray(0, 3));
  let sink = null; // made once the text is no longer the file's bytes
  let keptEnd = start; // until then, the text is bytes[start, keptEnd)
  for (let at = start, last = false; !last; ) {
    const end = Math.min(at + PIECE, bytes.length);
    last = end === bytes.length;
    const text = engine.decodeText(bytes.subarray(at, end), last);
    if (sink === null && engine.textEncoding() === "UTF-8") {
      keptEnd += text.length;
    } else {
      if (sink === null) {
        sink = new ByteSink(bytes.length + (bytes.length >> 1));
        sink.append(bytes.subarray(start, keptEnd));
      }
      sink.append(text);
    }
    at = end;
    await pause(at, bytes.length);
  }
  const utf8 = sink === null ? bytes.subarray(start, keptEnd) : sink.bytes;
  return { utf8, encoding: engine.textEncoding() };
}
