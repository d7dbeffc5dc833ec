// What the client's end-to-end tests share: starting the client from a fresh
// run folder, its windows, its menu commands and its config.ini.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const { startSession, WM, paths } = require('./harness');

const CLIENT = Object.freeze({
  exe: 'tesmor.dll',
  mainClass: 'OrvantaMainWindow',
  mainCaption: 'Orvanta在线客服',
  joinClass: 'OrvantaJoinServerWindow',
  joinCaption: '加入Orvanta服务器',
  trayTip: 'Orvanta客服系统',
  trayMessage: WM.APP + 1,
  design: { x: 50, y: 50, width: 1240, height: 780 },
  // Tray menu commands, in menu order.
  command: Object.freeze({
    resetConfig: 1001, serverSettings: 1002, reloadHome: 1003, clearReminder: 1004, show: 1005, exit: 1006,
  }),
  infoTitle: '信息：',
});

const standInDll = () => path.join(paths.windowsTree, 'tools', 'edgeview', 'edgeview.dll');

// A session whose run folder is dist/ plus the stand-in browser library, with
// `config` (sections of config.ini) written first when given.
async function startClientSession(t, { config, withBrowser = true } = {}) {
  const files = [paths.distDir];
  if (withBrowser) files.push(standInDll());
  const session = await startSession(t, { files });
  if (config) session.writeConfig('config/config.ini', config);
  return session;
}

async function startClient(session) {
  const program = session.start(CLIENT.exe);
  const main = await session.waitForWindow({ exe: CLIENT.exe, class: CLIENT.mainClass, visible: true });
  return { program, main };
}

const readClientConfig = (session) => session.readConfig('config/config.ini');

// Runs a tray-menu command as choosing it in the menu does.
const runCommand = (session, main, command) => session.probe.post(main.hwnd, WM.COMMAND, command, 0);

// The main window as the probe sees it now.
async function mainWindow(session) {
  return (await session.probe.windows({ exe: CLIENT.exe, className: CLIENT.mainClass }))[0];
}

async function joinWindow(session) {
  return (await session.probe.windows({ exe: CLIENT.exe, className: CLIENT.joinClass }))[0];
}

// The stand-in's call log, one line per call.
function browserCalls(session) {
  const log = session.file('edgeview-standin/calls.log');
  return fs.existsSync(log) ? fs.readFileSync(log, 'utf8').split('\n').filter(Boolean) : [];
}

// Hands the stand-in browser one command (tools/edgeview/README.md): fields
// joined by tabs, written under a temporary name and renamed when complete.
let commandNumber = 0;
function browserCommand(session, ...fields) {
  const folder = session.file('edgeview-standin/commands');
  fs.mkdirSync(folder, { recursive: true });
  const name = String(++commandNumber).padStart(6, '0');
  const escaped = fields.map((f) => String(f).replace(/\\/g, '\\\\').replace(/\t/g, '\\t').replace(/\n/g, '\\n'));
  fs.writeFileSync(path.join(folder, `${name}.tmp`), `${escaped.join('\t')}\n`);
  fs.renameSync(path.join(folder, `${name}.tmp`), path.join(folder, `${name}.cmd`));
}

// Waits for a line of the call log that matches.
async function waitForCall(session, pattern, what) {
  return session.waitFor(() => browserCalls(session).find((line) => pattern.test(line)), { what: what || String(pattern) });
}

module.exports = {
  CLIENT, browserCommand, waitForCall, startClientSession, startClient, readClientConfig, runCommand, mainWindow, joinWindow, browserCalls,
};
