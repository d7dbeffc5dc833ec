// Times the same round trips as cipher_bench with crypto-js (the library the
// site uses) and prints the ratio to our times, read from the benchmark's JSON.
//   node cipher_vs_cryptojs.js <cipher_bench JSON output>
'use strict';
const fs = require('fs');
const envelope = require('../oracle/envelope');

const secret = (text, code, decrypt) => (decrypt ? envelope.decrypt(text, code) : envelope.encrypt(text, code));

// The benchmark's texts: the unit repeated and cut to a byte length in GBK
// (each Chinese character is two GBK bytes).
function benchText(bytes) {
  const unit = '客服消息 hello, 你好! ';
  let out = '';
  let size = 0;
  for (let i = 0; size < bytes; i = (i + 1) % unit.length) {
    const width = unit.charCodeAt(i) > 0x7f ? 2 : 1;
    if (size + width > bytes) break;
    out += unit[i];
    size += width;
  }
  return out;
}

function microsPerRoundTrip(text) {
  const pass = '2024061888';
  for (let i = 0; i < 200; ++i) secret(secret(text, pass, false), pass, true);  // warm up
  let rounds = 0;
  const start = process.hrtime.bigint();
  let elapsed = 0n;
  while (elapsed < 2000000000n) {
    if (secret(secret(text, pass, false), pass, true) !== text) throw new Error('crypto-js round trip failed');
    ++rounds;
    elapsed = process.hrtime.bigint() - start;
  }
  return Number(elapsed) / 1000 / rounds;
}

const ours = JSON.parse(fs.readFileSync(process.argv[2], 'utf8')).benchmarks;
for (const [name, bytes] of [['RoundTrip/16B', 16], ['RoundTrip/1KiB', 1024]]) {
  const entry = ours.find((b) => b.name === name);
  const oursMicros = entry.real_time * { ns: 1e-3, us: 1, ms: 1e3 }[entry.time_unit];
  const theirs = microsPerRoundTrip(benchText(bytes));
  console.log(`${name.padEnd(16)} ours ${oursMicros.toFixed(3)} us   crypto-js ${theirs.toFixed(1)} us   ` +
              `crypto-js / ours = ${(theirs / oursMicros).toFixed(0)}x`);
}
