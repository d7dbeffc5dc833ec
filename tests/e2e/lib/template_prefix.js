// The template Wine prefix, made once per build root and copied for every
// test: a fresh "wineboot -i" takes seconds, a copy well under one.
//
// It holds what every test needs: Wine's own fonts where Wine looks for
// them (title-bar buttons draw as letters otherwise), the Chinese font
// standing in for the fonts Chinese programs ask for (Chinese shows as
// boxes otherwise), and a virtual desktop as the default, which gives title
// bars, a taskbar and a tray on a bare X display.
'use strict';
const fs = require('fs');
const path = require('path');
const { runToEnd } = require('./detached');
const { sleep } = require('./wait');
const { wineEnv } = require('./wine_env');
const { e2eRoot } = require('./paths');

// Raise when the recipe changes: older templates are then made again.
const RECIPE_VERSION = 1;
const STAMP = 'orvanta-template.json';

const SCREEN = { width: 1280, height: 1024 };
const CJK_FONT = 'WenQuanYi Micro Hei';
const SUBSTITUTED_FONTS = ['MS Shell Dlg', 'MS Shell Dlg 2', 'Tahoma', 'SimSun', 'Microsoft YaHei', '宋体'];

function registryFile() {
  const quote = (s) => `"${s.replace(/\\/g, '\\\\').replace(/"/g, '\\"')}"`;
  const lines = [
    'Windows Registry Editor Version 5.00',
    '',
    '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]',
    ...SUBSTITUTED_FONTS.map((font) => `${quote(font)}=${quote(CJK_FONT)}`),
    '',
    '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]',
    '"Desktop"="Default"',
    '',
    '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]',
    `"Default"="${SCREEN.width}x${SCREEN.height}"`,
    '',
  ];
  // UTF-16 with a byte-order mark: the only .reg form that carries "宋体"
  // whatever the prefix's code page.
  return Buffer.concat([Buffer.from([0xff, 0xfe]), Buffer.from(lines.join('\r\n'), 'utf16le')]);
}

async function runWine(prefix, args, logFile) {
  const result = await runToEnd(args[0], args.slice(1), {
    env: wineEnv(prefix), stdoutFile: logFile + '.out', logFile,
  });
  if (result.code !== 0) throw new Error(`${args.join(' ')} failed (${result.code}); see ${logFile}`);
}

async function buildTemplate(target) {
  fs.mkdirSync(target, { recursive: true });
  const log = path.join(path.dirname(target), 'template-build.log');
  await runWine(target, ['wineboot', '-i'], log);
  const fonts = path.join(target, 'drive_c', 'windows', 'Fonts');
  for (const font of fs.readdirSync('/usr/share/wine/fonts')) {
    fs.copyFileSync(path.join('/usr/share/wine/fonts', font), path.join(fonts, font));
  }
  const reg = path.join(target, 'drive_c', 'orvanta-template.reg');
  fs.writeFileSync(reg, registryFile());
  await runWine(target, ['wine', 'reg', 'import', 'C:\\orvanta-template.reg'], log);
  fs.rmSync(reg);
  // The registry reaches the disk when the server ends.
  await runWine(target, ['wineserver', '-w'], log);
  fs.writeFileSync(path.join(target, STAMP), JSON.stringify({ recipe: RECIPE_VERSION }));
}

function isReady(dir) {
  try {
    return JSON.parse(fs.readFileSync(path.join(dir, STAMP), 'utf8')).recipe === RECIPE_VERSION;
  } catch {
    return false;
  }
}

function ownerAlive(lockDir) {
  try {
    process.kill(Number(fs.readFileSync(path.join(lockDir, 'pid'), 'utf8')), 0);
    return true;
  } catch {
    return false;
  }
}

// The template's folder, made first if needed. Test files run as separate
// processes, so a lock folder (mkdir is atomic) lets one of them make it
// while the others wait.
async function templatePrefix() {
  const dir = path.join(e2eRoot, 'template');
  const lock = path.join(e2eRoot, 'template.lock');
  fs.mkdirSync(e2eRoot, { recursive: true });
  for (;;) {
    if (isReady(dir)) return dir;
    try {
      fs.mkdirSync(lock);
    } catch (error) {
      if (error.code !== 'EEXIST') throw error;
      if (!ownerAlive(lock) && fs.existsSync(path.join(lock, 'pid'))) fs.rmSync(lock, { recursive: true, force: true });
      await sleep(500);
      continue;
    }
    try {
      fs.writeFileSync(path.join(lock, 'pid'), String(process.pid));
      if (isReady(dir)) return dir;
      const building = `${dir}.building-${process.pid}`;
      fs.rmSync(building, { recursive: true, force: true });
      await buildTemplate(building);
      fs.rmSync(dir, { recursive: true, force: true });
      fs.renameSync(building, dir);
      return dir;
    } finally {
      fs.rmSync(lock, { recursive: true, force: true });
    }
  }
}

module.exports = { templatePrefix, SCREEN };
