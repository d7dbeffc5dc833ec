// The end-to-end harness: what a test file needs, in one place.
//
//   const { test } = require('node:test');
//   const { startSession, ID, paths } = require('./lib/harness');
//
//   test('the end button ends the program', async (t) => {
//     const session = await startSession(t, { files: [paths.distDir] });
//     const program = session.start('launcher.exe');
//     const window = await session.waitForWindow({ exe: 'tesmor.dll', visible: true });
//     ...
//   });
//
// See tests/e2e/README.md.
'use strict';
const path = require('path');
const { Session, matches } = require('./session');
const { ProbeError } = require('./probe');
const { waitFor, sleep } = require('./wait');
const { readIni, writeIni, parseIni } = require('./ini');
const { decodeGbk, encodeGbk } = require('./gbk');
const { copyFiles } = require('./files');
const { WM, ID, SC } = require('./win32');
const paths = require('./paths');

// The session of one node:test test. It ends with the test; when the test
// failed, a screenshot of the screen ("failure.png") and the logs are kept
// in artifacts/e2e/<test file>/<test name>/ first.
async function startSession(t, options = {}) {
  const main = require.main ? require.main.filename : process.argv[1] || 'e2e';
  const file = path.basename(main, '.js').replace(/\.test$/, '');
  const session = await Session.create({ name: `${file}/${t.name}`, ...options });
  t.after(() => session.close({ passed: t.passed }));
  return session;
}

module.exports = {
  startSession,
  Session,
  ProbeError,
  waitFor,
  sleep,
  matches,
  readIni,
  writeIni,
  parseIni,
  decodeGbk,
  encodeGbk,
  copyFiles,
  WM,
  ID,
  SC,
  paths,
};
