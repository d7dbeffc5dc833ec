// Starting processes the way Wine needs: detached, standard input closed,
// output to log files. Never pipes: a wine call that starts Wine's services
// hands them its output handles, and a reader of a pipe would wait for them
// forever.
'use strict';
const { spawn } = require('child_process');
const fs = require('fs');

// Starts `command` with output appended to `logFile`. Returns the child and
// a promise of { code, signal } once it ends.
function startDetached(command, args, { env, cwd, logFile }) {
  const out = fs.openSync(logFile, 'a');
  let child;
  try {
    child = spawn(command, args, { env, cwd, detached: true, stdio: ['ignore', out, out] });
  } finally {
    fs.closeSync(out); // the child has its own copy
  }
  const ended = new Promise((resolve, reject) => {
    child.once('error', reject);
    child.once('exit', (code, signal) => resolve({ code, signal }));
  });
  ended.catch(() => {}); // reported to whoever awaits it
  return { child, ended };
}

// Runs a command to its end, output to files; returns { code, signal,
// stdout } with stdout read from its file afterwards.
async function runToEnd(command, args, { env, cwd, stdoutFile, logFile }) {
  const out = fs.openSync(stdoutFile, 'w');
  const err = fs.openSync(logFile, 'a');
  let child;
  try {
    child = spawn(command, args, { env, cwd, stdio: ['ignore', out, err] });
  } finally {
    fs.closeSync(out);
    fs.closeSync(err);
  }
  const result = await new Promise((resolve, reject) => {
    child.once('error', reject);
    child.once('exit', (code, signal) => resolve({ code, signal }));
  });
  return { ...result, stdout: fs.readFileSync(stdoutFile, 'utf8') };
}

module.exports = { startDetached, runToEnd };
