// The end-to-end harness and the probe, proved on a small window program
// (fixtures/sample_app) under Wine: windows and controls with Chinese
// texts, clicks, typing, Enter, message boxes, tray icons and their
// callback messages, config.ini in GBK, exit codes, screenshots.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert');
const { execFile } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { startSession, ProbeError, ID, WM, paths } = require('./lib/harness');

// What the sample program shows (fixtures/sample_app/sample_app_win.cpp).
const SAMPLE = {
  exe: 'sample_app.exe',
  caption: '样例窗口 Sample',
  windowClass: 'OrvantaSampleWindow',
  rect: { x: 100, y: 100, width: 600, height: 400 },
  endButton: 1001,
  edit: 1002,
  group: 1003,
  check: 1004,
  status: 1005,
  trayTip: '样例托盘 Sample tray',
  trayIconId: 1,
  trayMessage: WM.APP + 1,
  defaultExitCode: 7,
};

const TIMEOUT = { timeout: 180000 };

async function startSample(t, { args = [], config } = {}) {
  const session = await startSession(t, { files: [paths.sampleAppExe] });
  if (config) session.writeConfig('config.ini', config);
  const program = session.start(SAMPLE.exe, { args });
  const window = await session.waitForWindow({ exe: SAMPLE.exe, caption: SAMPLE.caption, visible: true });
  return { session, program, window };
}

test('lists the window, its nested controls and its process, with Chinese texts', TIMEOUT, async (t) => {
  const { session, window } = await startSample(t);

  assert.strictEqual(window.class, SAMPLE.windowClass);
  assert.deepStrictEqual(window.rect, SAMPLE.rect);
  assert.ok(window.client.width > 0 && window.client.width < SAMPLE.rect.width, 'client area inside the frame');
  assert.ok(window.client.height > 0 && window.client.height < SAMPLE.rect.height);
  assert.deepStrictEqual(
    [window.topmost, window.minimized, window.maximized, window.enabled, window.owner],
    [false, false, false, true, null]);

  const processes = await session.probe.processes();
  assert.deepStrictEqual(processes.filter((p) => p.exe === SAMPLE.exe).map((p) => p.pid), [window.pid]);

  const controls = await session.probe.controls(window.hwnd);
  const byId = (id) => controls.find((c) => c.id === id);
  const expected = [
    // id, class, text, rect relative to the client area
    [SAMPLE.endButton, 'Button', '结束程序', { x: 20, y: 20, width: 120, height: 30 }],
    [SAMPLE.edit, 'Edit', '', { x: 20, y: 70, width: 300, height: 26 }],
    [SAMPLE.group, 'Button', '分组 Group', { x: 20, y: 120, width: 300, height: 90 }],
    [SAMPLE.check, 'Button', '记住我', { x: 35, y: 150, width: 150, height: 24 }],
    [SAMPLE.status, 'Static', '状态：就绪', { x: 20, y: 230, width: 400, height: 24 }],
  ];
  for (const [id, className, text, rect] of expected) {
    const control = byId(id);
    assert.ok(control, `control ${id} listed`);
    assert.deepStrictEqual([control.class, control.text, control.rect, control.visible, control.enabled],
      [className, text, rect, true, true], `control ${id}`);
  }
  // The check box sits inside the group box, not beside it.
  assert.strictEqual(byId(SAMPLE.check).parent, byId(SAMPLE.group).hwnd);
  assert.strictEqual(byId(SAMPLE.edit).parent, window.hwnd);
  assert.strictEqual(byId(SAMPLE.check).checked, false);

  // send waits for the handler's answer: the caption's length in UTF-16 units.
  const WM_GETTEXTLENGTH = 0x000e;
  assert.strictEqual(await session.probe.send(window.hwnd, WM_GETTEXTLENGTH), SAMPLE.caption.length);

  const shot = await session.screenshot('sample-window');
  const png = fs.readFileSync(shot);
  assert.deepStrictEqual([...png.subarray(0, 8)], [0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);
  assert.deepStrictEqual([png.readUInt32BE(16), png.readUInt32BE(20)], [1280, 1024], 'the whole screen');
});

test('clicking a check box nested in a group box changes it', TIMEOUT, async (t) => {
  const { session, window } = await startSample(t);
  const check = await session.control(window.hwnd, { id: SAMPLE.check });
  await session.probe.click(check.hwnd);
  await session.waitFor(async () => (await session.control(window.hwnd, { id: SAMPLE.check })).checked,
    { what: 'the check box checked' });
});

// Each row: how the test answers the question, and what the program records.
const answers = [
  { name: 'Yes by its standard name', answer: () => ({ id: 'IDYES' }), recorded: 'yes' },
  { name: 'No by its id', answer: () => ({ id: ID.NO }), recorded: 'no' },
  { name: 'No by the text Wine shows on it', answer: (box) => ({ text: box.buttons.find((b) => b.id === ID.NO).text }), recorded: 'no' },
];
for (const { name, answer, recorded } of answers) {
  test(`typed Chinese and Enter ask a question, answered: ${name}`, TIMEOUT, async (t) => {
    const { session, window } = await startSample(t);
    const edit = await session.control(window.hwnd, { id: SAMPLE.edit });
    const editText = async () => (await session.control(window.hwnd, { id: SAMPLE.edit })).text;
    await session.probe.setText(edit.hwnd, '旧的文字');
    assert.strictEqual(await editText(), '旧的文字');
    await session.probe.setText(edit.hwnd, '');
    await session.probe.type(edit.hwnd, '你好，世界 ok');
    await session.waitFor(async () => (await editText()) === '你好，世界 ok', { what: 'the typed text' });
    await session.probe.pressEnter(edit.hwnd);

    const box = await session.waitForDialog({ exe: SAMPLE.exe, visible: true });
    assert.strictEqual(box.title, '确认 Confirm');
    assert.strictEqual(box.text, '您输入的是：你好，世界 ok');
    assert.strictEqual(box.owner, window.hwnd);
    assert.deepStrictEqual(box.buttons.map((b) => [b.id, b.name]), [[ID.YES, 'IDYES'], [ID.NO, 'IDNO']]);
    assert.ok(box.buttons.every((b) => b.text.length > 0), 'buttons have texts');

    // Behind a modal message box the window cannot be used.
    const endButton = await session.control(window.hwnd, { id: SAMPLE.endButton });
    await assert.rejects(session.probe.click(endButton.hwnd),
      (error) => error instanceof ProbeError && error.exitCode === 2 && /disabled/.test(error.probeMessage));

    await session.probe.answer(box.hwnd, answer(box));
    const config = await session.waitFor(() => {
      const ini = session.readConfig();
      return ini && ini.answer && ini.answer.button && ini;
    }, { what: 'the answer in config.ini' });
    assert.deepStrictEqual(config.answer, { text: '你好，世界 ok', button: recorded });
    await session.waitFor(async () => (await session.probe.dialogs({ exe: SAMPLE.exe })).length === 0,
      { what: 'the message box gone' });
  });
}

test('a GBK config.ini fixture reaches the program intact', TIMEOUT, async (t) => {
  const greeting = '欢迎使用，客服中心 #1';
  const { session, window } = await startSample(t, { config: { sample: { greeting } } });
  assert.ok(fs.readFileSync(session.file('config.ini')).includes(Buffer.from([0xbb, 0xb6, 0xd3, 0xad])), '欢迎 in GBK');
  const edit = await session.control(window.hwnd, { id: SAMPLE.edit });
  assert.strictEqual(edit.text, greeting);
});

test('the tray icon is listed, and clicks and callback messages reach the program', TIMEOUT, async (t) => {
  const { session, program, window } = await startSample(t);
  const icons = await session.waitFor(async () => {
    const listed = await session.probe.tray();
    return listed.length > 0 && listed;
  }, { what: 'the tray icon' });
  assert.deepStrictEqual(icons.map((i) => i.tip), [SAMPLE.trayTip]);
  assert.ok(icons[0].rect.width > 0 && icons[0].rect.y >= 1024 - 64, 'in the taskbar at the bottom');

  // Through the tray, as a user's clicks arrive: explorer passes them on
  // with the program's own callback message.
  const clicks = [
    ['left', ['WM_LBUTTONUP']],
    ['right', ['WM_RBUTTONUP']],
    ['double', ['WM_LBUTTONUP', 'WM_LBUTTONDBLCLK', 'WM_LBUTTONUP']],
  ];
  // Straight to the window, as a test that knows the callback message does.
  const notified = [
    [WM.LBUTTONUP, 'WM_LBUTTONUP'],
    [WM.LBUTTONDBLCLK, 'WM_LBUTTONDBLCLK'],
    [WM.RBUTTONUP, 'WM_RBUTTONUP'],
  ];
  // Button-down messages are recorded as "OTHER": only the ones above count.
  const recorded = () => (((session.readConfig() || {}).tray || {}).events || '')
    .split(',').filter((e) => e && !e.endsWith('OTHER'));
  const expected = [];
  const deliver = async (send, events) => {
    await send();
    expected.push(...events.map((e) => `${SAMPLE.trayIconId}:${e}`));
    // One at a time: each is recorded before the next is sent, so that the
    // order is the test's.
    await session.waitFor(() => recorded().length === expected.length, { what: `tray events ${expected}` });
  };
  for (const [mouse, events] of clicks) {
    await deliver(() => session.probe.trayClick({ tip: SAMPLE.trayTip }, mouse), events);
  }
  for (const [message, name] of notified) {
    await deliver(() => session.probe.notify(window.hwnd, SAMPLE.trayMessage, SAMPLE.trayIconId, message), [name]);
  }
  assert.deepStrictEqual(recorded(), expected);
  const status = await session.control(window.hwnd, { id: SAMPLE.status });
  assert.strictEqual(status.text, '托盘：WM_RBUTTONUP');

  await session.screenshot('sample-with-tray');
  await session.probe.close(window.hwnd);
  assert.strictEqual(await program.exitCode(), 0);
  await session.waitFor(async () => (await session.probe.tray()).length === 0, { what: 'the tray icon removed' });
});

test('move, resize, minimise, restore, hide and show', TIMEOUT, async (t) => {
  const { session, window } = await startSample(t);
  const current = async () => (await session.probe.windows({ pid: window.pid })).find((w) => w.hwnd === window.hwnd);
  const steps = [
    [() => session.probe.move(window.hwnd, 200, 150, 500, 300),
      (w) => w.rect.x === 200 && w.rect.y === 150 && w.rect.width === 500 && w.rect.height === 300],
    [() => session.probe.move(window.hwnd, 50, 60),
      (w) => w.rect.x === 50 && w.rect.y === 60 && w.rect.width === 500],
    [() => session.probe.show(window.hwnd, 'minimize'), (w) => w.minimized && w.visible],
    [() => session.probe.show(window.hwnd, 'restore'), (w) => !w.minimized && w.rect.x === 50],
    [() => session.probe.show(window.hwnd, 'maximize'), (w) => w.maximized],
    [() => session.probe.show(window.hwnd, 'restore'), (w) => !w.maximized],
    [() => session.probe.show(window.hwnd, 'hide'), (w) => !w.visible],
    [() => session.probe.show(window.hwnd, 'show'), (w) => w.visible],
  ];
  for (const [act, reached] of steps) {
    await act();
    await session.waitFor(async () => reached(await current()), { what: act.toString() });
  }
});

const exitCodes = [
  { args: [], code: SAMPLE.defaultExitCode },
  { args: [42], code: 42 },
];
for (const { args, code } of exitCodes) {
  test(`the end button ends the program with exit code ${code}`, TIMEOUT, async (t) => {
    const { session, program, window } = await startSample(t, { args });
    const endButton = await session.control(window.hwnd, { id: SAMPLE.endButton });
    await session.probe.click(endButton.hwnd);
    assert.strictEqual(await program.exitCode(), code);
    assert.deepStrictEqual(await session.probe.windows({ exe: SAMPLE.exe }), []);
  });
}

test('the probe reports a wrong command line and a missing window', TIMEOUT, async (t) => {
  const session = await startSession(t, {});
  const cases = [
    [['nonsense'], 1, /unknown command/],
    [['click'], 1, /missing window handle/],
    [['move', '0x10', 'x', '1'], 2, /no such window/],
    [['click', '12345678'], 2, /no such window/],
    [['answer', '0'], 2, /no such window/],
  ];
  for (const [args, exitCode, message] of cases) {
    await assert.rejects(session.probe.run(...args),
      (error) => error instanceof ProbeError && error.exitCode === exitCode && message.test(error.probeMessage),
      args.join(' '));
  }
});

test('a failing test leaves a screenshot and the logs; a passing one does not', TIMEOUT, async () => {
  const artifacts = fs.mkdtempSync(path.join(os.tmpdir(), 'orvanta-e2e-failure-'));
  try {
    const scenario = path.join(__dirname, 'fixtures', 'failing_scenario.js');
    // Without NODE_TEST_CONTEXT, which would make the child report to this
    // runner instead of running on its own.
    const { NODE_TEST_CONTEXT, ...env } = process.env;
    const result = await new Promise((resolve) => {
      execFile(process.execPath, ['--test', scenario], {
        env: { ...env, ORVANTA_E2E_ARTIFACTS: artifacts },
        timeout: 170000,
      }, (error, stdout) => resolve({ code: error ? error.code : 0, stdout }));
    });
    assert.notStrictEqual(result.code, 0, 'the scenario fails');
    assert.match(result.stdout, /^ok \d+ - passes$/m);
    assert.match(result.stdout, /^not ok \d+ - fails after its window appeared$/m);

    const failed = path.join(artifacts, 'failing_scenario', 'fails_after_its_window_appeared');
    const shot = fs.readFileSync(path.join(failed, 'failure.png'));
    assert.ok(shot.length > 1000, 'a real picture');
    assert.ok(fs.readdirSync(path.join(failed, 'logs')).some((f) => f.startsWith('sample_app.exe')), 'program log kept');
    assert.ok(!fs.existsSync(path.join(artifacts, 'failing_scenario', 'passes', 'failure.png')));
  } finally {
    fs.rmSync(artifacts, { recursive: true, force: true });
  }
});
