// GBK (code page 936) bytes <-> JavaScript strings. Node decodes GBK through
// its TextDecoder; it has no GBK encoder, so the encoding table is made once
// by decoding every two-byte code.
'use strict';

const decoder = new TextDecoder('gbk');

function decodeGbk(bytes) {
  return decoder.decode(bytes);
}

let encodeTable = null;
function table() {
  if (encodeTable) return encodeTable;
  // Code page 936 has one single byte above ASCII: 0x80 for the euro sign.
  encodeTable = new Map([[decoder.decode(Uint8Array.of(0x80)), [0x80]]]);
  for (let lead = 0x81; lead <= 0xfe; lead++) {
    for (let trail = 0x40; trail <= 0xfe; trail++) {
      if (trail === 0x7f) continue;
      const char = decoder.decode(Uint8Array.of(lead, trail));
      // Unassigned codes decode to U+FFFD; the first code of a character wins.
      if (char.length === 1 && char !== '\ufffd' && !encodeTable.has(char)) {
        encodeTable.set(char, [lead, trail]);
      }
    }
  }
  return encodeTable;
}

// Throws on a character GBK cannot hold: a fixture must say exactly what
// the program will read.
function encodeGbk(text) {
  const bytes = [];
  for (const char of text) {
    const code = char.codePointAt(0);
    if (code < 0x80) {
      bytes.push(code);
      continue;
    }
    const pair = table().get(char);
    if (!pair) throw new Error(`not representable in GBK: U+${code.toString(16).toUpperCase()}`);
    bytes.push(...pair);
  }
  return Buffer.from(bytes);
}

module.exports = { decodeGbk, encodeGbk };
