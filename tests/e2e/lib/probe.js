// Runs the Win32 probe (tools/probe) inside a session's prefix and parses
// its JSON lines. Method names follow the probe's commands; see
// tools/probe/README.md for the fields of each object.
'use strict';
const fs = require('fs');
const path = require('path');
const { runToEnd } = require('./detached');

class ProbeError extends Error {
  constructor(args, exitCode, message) {
    super(`probe ${args.join(' ')}: ${message} (exit code ${exitCode})`);
    this.exitCode = exitCode; // 1 wrong command line, 2 missing target or refused action
    this.probeMessage = message;
  }
}

function parseLines(text) {
  return text.split('\n').filter((line) => line.trim()).map((line) => JSON.parse(line));
}

const asArg = (value) => String(value);

class Probe {
  constructor({ exe, env, workDir }) {
    this.exe = exe;
    this.env = env;
    this.workDir = workDir;
    this.calls = 0;
  }

  // The probe's output objects; throws ProbeError when it fails.
  async run(...args) {
    const words = args.map(asArg);
    const stdoutFile = path.join(this.workDir, `probe-${++this.calls}.out`);
    const result = await runToEnd('wine', [this.exe, ...words], {
      env: this.env, stdoutFile, logFile: path.join(this.workDir, 'probe.log'),
    });
    fs.rmSync(stdoutFile, { force: true });
    const lines = parseLines(result.stdout);
    if (result.code !== 0) {
      const failure = lines.find((line) => line.ok === false);
      throw new ProbeError(words, result.code, failure ? failure.error : `ended by ${result.signal}`);
    }
    return lines;
  }

  processes() { return this.run('processes'); }

  // filter: { pid, exe, className }
  windows({ pid, exe, className } = {}) {
    const args = ['windows'];
    if (pid !== undefined) args.push('--pid', pid);
    if (exe !== undefined) args.push('--exe', exe);
    if (className !== undefined) args.push('--class', className);
    return this.run(...args);
  }

  controls(hwnd) { return this.run('controls', hwnd); }

  dialogs({ pid, exe } = {}) {
    const args = ['dialogs'];
    if (pid !== undefined) args.push('--pid', pid);
    if (exe !== undefined) args.push('--exe', exe);
    return this.run(...args);
  }

  tray() { return this.run('tray'); }

  async act(...args) { return (await this.run(...args))[0]; }

  click(hwnd, { force = false } = {}) { return this.act('click', hwnd, ...(force ? ['--force'] : [])); }
  setText(hwnd, text) { return this.act('settext', hwnd, text); }
  type(hwnd, text, { force = false } = {}) { return this.act('type', hwnd, text, ...(force ? ['--force'] : [])); }
  pressEnter(hwnd, { force = false } = {}) { return this.act('enter', hwnd, ...(force ? ['--force'] : [])); }
  close(hwnd) { return this.act('close', hwnd); }

  // answer: { id } (a number or 'IDYES', 'IDNO', ...) or { text }
  answer(dialogHwnd, { id, text }) {
    if (id !== undefined) return this.act('answer', dialogHwnd, '--id', id);
    return this.act('answer', dialogHwnd, '--text', text);
  }

  async send(hwnd, message, wparam = 0, lparam = 0, { timeout } = {}) {
    const args = ['send', hwnd, message, wparam, lparam];
    if (timeout !== undefined) args.push('--timeout', timeout);
    return (await this.act(...args)).result;
  }

  post(hwnd, message, wparam = 0, lparam = 0) { return this.act('post', hwnd, message, wparam, lparam); }
  notify(hwnd, message, wparam = 0, lparam = 0) { return this.act('notify', hwnd, message, wparam, lparam); }

  move(hwnd, x, y, width, height) {
    const size = width === undefined ? [] : [width, height];
    return this.act('move', hwnd, x, y, ...size);
  }

  // state: 'show', 'hide', 'minimize', 'maximize', 'restore' or 'showna'
  show(hwnd, state) { return this.act('show', hwnd, state); }
  foreground(hwnd) { return this.act('foreground', hwnd); }

  // which: { index } or { tip }; mouse: 'left', 'right' or 'double'
  trayClick({ index, tip }, mouse = 'left') {
    const which = index !== undefined ? ['--index', index] : ['--tip', tip];
    return this.act('trayclick', ...which, '--mouse', mouse);
  }
}

module.exports = { Probe, ProbeError, parseLines };
