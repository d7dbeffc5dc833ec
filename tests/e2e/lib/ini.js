// config.ini files as the profile functions read and write them: GBK bytes,
// "[section]" lines, "key=value" lines, CRLF line ends.
'use strict';
const fs = require('fs');
const { decodeGbk, encodeGbk } = require('./gbk');

// { section: { key: value } }, in file order. Like GetPrivateProfileString,
// keys and values are trimmed and lines without "=" outside comments are
// ignored.
function parseIni(text) {
  const sections = {};
  let current = null;
  for (const rawLine of text.split(/\r?\n/)) {
    const line = rawLine.trim();
    if (!line || line.startsWith(';')) continue;
    const header = /^\[(.*)\]$/.exec(line);
    if (header) {
      current = header[1].trim();
      sections[current] = sections[current] || {};
      continue;
    }
    const eq = line.indexOf('=');
    if (current === null || eq < 0) continue;
    sections[current][line.slice(0, eq).trim()] = line.slice(eq + 1).trim();
  }
  return sections;
}

// The parsed file, or null when it does not exist.
function readIni(file) {
  if (!fs.existsSync(file)) return null;
  return parseIni(decodeGbk(fs.readFileSync(file)));
}

function formatIni(sections) {
  let text = '';
  for (const [section, entries] of Object.entries(sections)) {
    text += `[${section}]\r\n`;
    for (const [key, value] of Object.entries(entries)) text += `${key}=${value}\r\n`;
  }
  return text;
}

// Writes a fixture as GBK bytes, as the programs expect to find it.
function writeIni(file, sections) {
  fs.writeFileSync(file, encodeGbk(formatIni(sections)));
}

module.exports = { parseIni, readIni, formatIni, writeIni };
