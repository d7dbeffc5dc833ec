// The envelope cipher as the site and the directory service compute it, with
// crypto-js: MD5 twice to lower-case hex, IV and key from that hex text,
// AES-128-CBC with PKCS#7, UTF-8 inside, Base64 outside. Independent of the
// project's C++ code, so the tests can hold one against the other.
'use strict';
const path = require('path');
const CryptoJS = require(path.join(__dirname, '../node/node_modules/crypto-js'));

const SEPARATOR = ':@|';

function keyOf(passPhrase) {
  const code = CryptoJS.MD5(CryptoJS.MD5(passPhrase).toString()).toString();
  return {
    iv: CryptoJS.enc.Utf8.parse(code.substring(0, 16)),
    key: CryptoJS.enc.Utf8.parse(code.substring(16)),
  };
}

function encrypt(plain, passPhrase) {
  const { key, iv } = keyOf(passPhrase);
  const encrypted = CryptoJS.AES.encrypt(CryptoJS.enc.Utf8.parse(plain), key, {
    iv, mode: CryptoJS.mode.CBC, padding: CryptoJS.pad.Pkcs7,
  });
  return encrypted.ciphertext.toString(CryptoJS.enc.Base64);
}

// The plain text, or null when it does not decrypt to UTF-8.
function decrypt(cipherText, passPhrase) {
  const { key, iv } = keyOf(passPhrase);
  try {
    const decrypted = CryptoJS.AES.decrypt(cipherText, key, { iv, mode: CryptoJS.mode.CBC, padding: CryptoJS.pad.Pkcs7 });
    return decrypted.toString(CryptoJS.enc.Utf8);
  } catch {
    return null;
  }
}

const seal = (plain, passPhrase) => `${passPhrase}${SEPARATOR}${encrypt(plain, passPhrase)}`;

// Pass phrase in front of the first separator, ciphertext behind the last.
function open(envelope) {
  const first = envelope.indexOf(SEPARATOR);
  const last = envelope.lastIndexOf(SEPARATOR);
  if (first < 0) return null;
  return decrypt(envelope.substring(last + SEPARATOR.length), envelope.substring(0, first));
}

module.exports = { encrypt, decrypt, seal, open, SEPARATOR };
