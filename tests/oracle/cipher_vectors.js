// Writes envelope-cipher test vectors computed with crypto-js, the library the
// site and the directory service use. One vector per line, tab-separated:
//   plain text (UTF-8, hex)  pass phrase (UTF-8, hex)  Base64 ciphertext
// The C++ tests encrypt the plain text and compare with the ciphertext, and
// decrypt the ciphertext and compare with the plain text.
'use strict';
const fs = require('fs');
const { encrypt } = require('./envelope');

// A fixed-seed generator, so every run writes the same file.
let seed = 20261211;
function random(n) {
  seed = (seed * 1103515245 + 12345) % 2147483648;
  return seed % n;
}

const pieces = [
  'a', 'Z', '7', ' ', '~', '{', '}', ':', ',', '"', '\\', '/', '+', '=', '%',
  '中', '文', '客', '服', '消', '息', '你', '好', '欢', '迎', '编', '号', '，', '。', '！', '“', '”',
  '\r\n', '\n', '\r', '\t', 'eval', 'EVAL', '@code@', '@operation@', ':@|',
];
function text(length) {
  let out = '';
  while (out.length < length) out += pieces[random(pieces.length)];
  return out;
}

const passPhrases = ['', '7', '123456', '2024061888', 'abc', 'Secret', 'evaluate', '密码', '服务器123', 'a"b\\c'];
const plains = [
  '', 'a', '中文', '{"domainid":"1001"}', 'hello world, 你好世界', '0123456789abcdef',
  'line one\r\nline two\nline three\r', 'evaluate @code@ and @operation@', text(15), text(16), text(17),
];
for (let i = 0; i < 40; ++i) plains.push(text(1 + random(120)));
plains.push(text(5000));

const hex = (s) => Buffer.from(s, 'utf8').toString('hex');
const lines = [];
plains.forEach((plain, i) => {
  const passPhrase = passPhrases[i % passPhrases.length];
  lines.push([hex(plain), hex(passPhrase), encrypt(plain, passPhrase)].join('\t'));
});
// Every pass phrase over one fixed text, so each one is covered in both directions.
for (const passPhrase of passPhrases) {
  lines.push([hex('服务器编号 1001'), hex(passPhrase), encrypt('服务器编号 1001', passPhrase)].join('\t'));
}
fs.writeFileSync(process.argv[2], lines.join('\n') + '\n');
