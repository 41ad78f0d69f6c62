// Bytes written one after another into a buffer that grows as needed.
export class ByteSink {
  constructor(expected = 64) {
    this.buffer = new Uint8Array(Math.max(expected, 64));
    this.length = 0;
  }

  append(bytes) {
    this.reserve(bytes.length);
    this.buffer.set(bytes, this.length);
    this.length += bytes.length;
  }

  reserve(size) {
    if (this.length + size <= this.buffer.length) return;
    const grown = new Uint8Array(Math.max(2 * this.buffer.length, this.length + size));
    grown.set(this.bytes);
    this.buffer = grown;
  }

  // Starts again from no bytes, the buffer kept.
  clear() {
    this.length = 0;
  }

  // The bytes written so far, a view valid until the next append.
  get bytes() {
    return this.buffer.subarray(0, this.length);
  }
}
