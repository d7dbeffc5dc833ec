// Pictures of the whole virtual screen (ImageMagick's "import").
'use strict';
const fs = require('fs');
const path = require('path');
const { runToEnd } = require('./detached');

async function captureScreen(display, file) {
  fs.mkdirSync(path.dirname(file), { recursive: true });
  const result = await runToEnd('import', ['-window', 'root', file], {
    env: { ...process.env, DISPLAY: display },
    stdoutFile: file + '.log',
    logFile: file + '.log',
  });
  fs.rmSync(file + '.log', { force: true });
  if (result.code !== 0 || !fs.existsSync(file)) throw new Error(`screenshot of ${display} failed`);
  return file;
}

// A file-name-safe form of a test's name; letters of any script stay.
function safeName(name) {
  return String(name).replace(/[^\p{L}\p{N}._-]+/gu, '_').replace(/^_+|_+$/g, '').slice(0, 100) || 'unnamed';
}

module.exports = { captureScreen, safeName };
