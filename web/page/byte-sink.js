// Bytes written one after another into a buffer that grows as needed.
export class ByteSink {
  constructor(expected = 64) {
    this.buffer = new Uint8Array(Math.max(expected, 64));
    this.length = 0;
  }

  append(bytes) {
    if (this.length + bytes.length > this.buffer.length) {
      const grown = new Uint8Array(Math.max(2 * this.buffer.length, this.length + bytes.length));
      grown.set(this.bytes);
      this.buffer = grown;
    }
    this.buffer.set(bytes, this.length);
    this.length += bytes.length;
  }

  // The bytes written so far, a view valid until the next append.
  get bytes() {
    return this.buffer.subarray(0, this.length);
  }
}
