// One test's world: a fresh copy of the template prefix with its own
// wineserver, a fresh run folder, and an X display of its own. Everything
// it started ends with it.
'use strict';
const fs = require('fs');
const path = require('path');
const { startDetached, runToEnd } = require('./detached');
const { startDisplay } = require('./display');
const { copyFiles } = require('./files');
const { readIni, writeIni } = require('./ini');
const { Probe } = require('./probe');
const { captureScreen, safeName } = require('./screenshot');
const { templatePrefix } = require('./template_prefix');
const { waitFor, withTimeout } = require('./wait');
const { wineEnv, windowsPath } = require('./wine_env');
const paths = require('./paths');

const sessionsRoot = path.join(paths.e2eRoot, 'sessions');
let sessionCount = 0;

// Field-by-field match of a probe object: a RegExp tests a text, anything
// else must be equal; a function is called with the object instead.
function matches(object, match) {
  if (typeof match === 'function') return match(object);
  return Object.entries(match).every(([key, expected]) =>
    (expected instanceof RegExp ? expected.test(object[key]) : object[key] === expected));
}

function isAlive(pid) {
  try {
    process.kill(pid, 0);
    return true;
  } catch {
    return false;
  }
}

async function stopWineserver(prefix, logFile) {
  const env = wineEnv(prefix);
  await runToEnd('wineserver', ['-k'], { env, stdoutFile: logFile + '.out', logFile });
  await withTimeout(runToEnd('wineserver', ['-w'], { env, stdoutFile: logFile + '.out', logFile }), 10000);
}

// Sessions left behind by a test run that was killed: their wineserver is
// ended (it belongs to that prefix only) and the folder removed.
async function removeAbandonedSessions() {
  if (!fs.existsSync(sessionsRoot)) return;
  for (const name of fs.readdirSync(sessionsRoot)) {
    const owner = Number(name.split('-')[0]);
    if (!owner || isAlive(owner)) continue;
    const dir = path.join(sessionsRoot, name);
    if (fs.existsSync(path.join(dir, 'prefix', 'system.reg'))) {
      await stopWineserver(path.join(dir, 'prefix'), path.join(sessionsRoot, `${name}.cleanup.log`));
    }
    fs.rmSync(dir, { recursive: true, force: true });
    fs.rmSync(path.join(sessionsRoot, `${name}.cleanup.log`), { force: true });
    fs.rmSync(path.join(sessionsRoot, `${name}.cleanup.log.out`), { force: true });
  }
}

class Program {
  constructor(session, relativePath, child, ended) {
    this.session = session;
    this.path = relativePath;
    this.pid = child.pid; // the Linux process running the Windows program
    this.child = child;
    this.ended = ended; // { code, signal }
    this.result = null;
    ended.then((result) => { this.result = result; }, () => {});
  }

  get running() { return this.result === null; }

  // The Windows exit code (the wine process's exit status), once the program
  // ends; throws when it does not end within `timeout`.
  async exitCode({ timeout = 20000 } = {}) {
    const result = await withTimeout(this.ended, timeout);
    if (!result) throw new Error(`${this.path} still runs after ${timeout} ms`);
    if (result.code === null) throw new Error(`${this.path} was ended by ${result.signal}`);
    return result.code;
  }
}

class Session {
  // options:
  //   files     what the run folder holds (see files.js copyFiles)
  //   folder    the run folder below drive C (default "app": C:\app)
  //   name      the session's name in artifacts/e2e (file/test)
  //   env       extra environment for the programs started
  static async create({ files = [], folder = 'app', name = 'session', env = {} } = {}) {
    await removeAbandonedSessions();
    const template = await templatePrefix();
    const session = new Session(name, folder, env);
    try {
      await session.open(template, files);
    } catch (error) {
      await session.close({ passed: false }); // keeps the logs of what failed
      throw error;
    }
    return session;
  }

  constructor(name, folder, env) {
    this.name = name;
    this.dir = path.join(sessionsRoot, `${process.pid}-${++sessionCount}-${Date.now()}`);
    this.prefix = path.join(this.dir, 'prefix');
    this.logsDir = path.join(this.dir, 'logs');
    this.runDir = path.join(this.prefix, 'drive_c', folder);
    this.runDirWindows = windowsPath(folder);
    this.artifactsDir = path.join(paths.artifactsRoot, ...name.split('/').map(safeName));
    this.extraEnv = env;
    this.programs = [];
    this.timings = {};
  }

  async open(template, files) {
    if (!fs.existsSync(paths.probeExe)) throw new Error(`the probe is not built: ${paths.probeExe}`);
    fs.mkdirSync(this.logsDir, { recursive: true });
    fs.rmSync(this.artifactsDir, { recursive: true, force: true });

    let started = Date.now();
    const copy = await runToEnd('cp', ['-a', template, this.prefix], {
      env: process.env, stdoutFile: path.join(this.logsDir, 'cp.out'), logFile: path.join(this.logsDir, 'cp.log'),
    });
    if (copy.code !== 0) throw new Error('copying the template prefix failed');
    this.timings.prefixCopyMs = Date.now() - started;
    copyFiles(files, this.runDir);

    this.display = await startDisplay(this.logsDir);
    this.env = wineEnv(this.prefix, { DISPLAY: this.display.name, ...this.extraEnv });

    // A server of the session's own that stays up between programs, so each
    // start is quick; its output goes to a file, never to a pipe.
    started = Date.now();
    const server = await runToEnd('wineserver', ['-p'], {
      env: this.env, stdoutFile: path.join(this.logsDir, 'wineserver.out'),
      logFile: path.join(this.logsDir, 'wineserver.log'),
    });
    if (server.code !== 0) throw new Error('wineserver -p failed');
    this.probe = new Probe({ exe: paths.probeExe, env: this.env, workDir: this.logsDir });
    // The first Wine program starts Wine's services and the desktop (with
    // its taskbar); let that happen here rather than inside a test's wait.
    await this.probe.windows();
    this.timings.wineStartMs = Date.now() - started;
  }

  // The Linux path of a file in the run folder.
  file(relativePath) { return path.join(this.runDir, ...relativePath.split(/[\\/]/)); }

  // Windows path of a file in the run folder, e.g. "C:\app\tesmor.dll".
  windowsFile(relativePath) { return `${this.runDirWindows}\\${relativePath.split(/[\\/]/).join('\\')}`; }

  // More files for the run folder, at any time (see files.js).
  addFiles(entries) { copyFiles(entries, this.runDir); }

  // Starts a program of the run folder, as Explorer would: its folder as the
  // current folder. Returns a Program (pid, exitCode()).
  start(relativePath, { args = [], env = {} } = {}) {
    const log = path.join(this.logsDir, `${safeName(relativePath)}-${this.programs.length + 1}.log`);
    const { child, ended } = startDetached('wine', [this.windowsFile(relativePath), ...args.map(String)], {
      env: { ...this.env, ...env }, cwd: path.dirname(this.file(relativePath)), logFile: log,
    });
    const program = new Program(this, relativePath, child, ended);
    this.programs.push(program);
    return program;
  }

  waitFor(predicate, options) { return waitFor(predicate, options); }

  // The first top-level window that matches (see matches()); `exe` and `pid`
  // in the match also narrow the probe's listing.
  waitForWindow(match, options = {}) {
    const filter = typeof match === 'function' ? {} : { exe: match.exe, pid: match.pid };
    return waitFor(async () => (await this.probe.windows(filter)).find((w) => matches(w, match)),
      { what: `a window like ${describe(match)}`, ...options });
  }

  // The first dialog (message box) that matches, e.g. { exe, visible: true }.
  waitForDialog(match = {}, options = {}) {
    const filter = typeof match === 'function' ? {} : { exe: match.exe, pid: match.pid };
    return waitFor(async () => (await this.probe.dialogs(filter)).find((d) => matches(d, match)),
      { what: `a dialog like ${describe(match)}`, ...options });
  }

  // The first child control of `hwnd` that matches, e.g. { id: 1001 }.
  async control(hwnd, match) {
    const found = (await this.probe.controls(hwnd)).find((c) => matches(c, match));
    if (!found) throw new Error(`no control like ${describe(match)} in window ${hwnd}`);
    return found;
  }

  // config.ini (or another profile file) of the run folder, parsed from GBK;
  // null when the file does not exist.
  readConfig(relativePath = 'config.ini') { return readIni(this.file(relativePath)); }

  // Writes a profile file into the run folder as GBK bytes.
  writeConfig(relativePath, sections) {
    fs.mkdirSync(path.dirname(this.file(relativePath)), { recursive: true });
    writeIni(this.file(relativePath), sections);
  }

  // A picture of the whole screen, kept as artifacts/e2e/<test>/<name>.png.
  screenshot(name) {
    return captureScreen(this.display.name, path.join(this.artifactsDir, `${safeName(name)}.png`));
  }

  // What a person needs to see why a test failed: the screen as it was, and
  // every log of the session.
  async keepEvidence() {
    if (this.display) {
      await this.screenshot('failure').catch((error) => {
        fs.writeFileSync(path.join(this.logsDir, 'failure-screenshot.log'), String(error.stack || error));
      });
    }
    if (fs.existsSync(this.logsDir)) fs.cpSync(this.logsDir, path.join(this.artifactsDir, 'logs'), { recursive: true });
  }

  // Ends the session: on failure keeps a screenshot and the logs, then stops
  // every program, the wineserver and the display, and deletes the prefix.
  async close({ passed = true } = {}) {
    try {
      if (!passed) await this.keepEvidence();
    } finally {
      try {
        if (fs.existsSync(path.join(this.prefix, 'system.reg'))) {
          await stopWineserver(this.prefix, path.join(this.dir, 'wineserver-stop.log'));
        }
      } finally {
        for (const program of this.programs) {
          if (program.running) program.child.kill('SIGKILL');
        }
        if (this.display) await this.display.stop();
        fs.rmSync(this.dir, { recursive: true, force: true });
      }
    }
  }
}

function describe(match) {
  if (typeof match === 'function') return match.toString();
  return JSON.stringify(match, (key, value) => (value instanceof RegExp ? value.toString() : value));
}

module.exports = { Session, matches };
