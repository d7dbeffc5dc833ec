// The client's start-up, main window, tray and menus under Wine.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert');
const { ID, WM } = require('./lib/harness');
const {
  CLIENT, startClientSession, startClient, readClientConfig, runCommand, mainWindow, joinWindow, browserCommand,
  waitForCall, browserCalls,
} = require('./lib/client');

const TIMEOUT = { timeout: 240000 };

test('first start: main window at its design size, the join window in front, loginurl defaulted', TIMEOUT,
  async (t) => {
    const session = await startClientSession(t);
    const { main } = await startClient(session);
    assert.strictEqual(main.caption, CLIENT.mainCaption);
    assert.deepStrictEqual(main.rect, CLIENT.design);
    const join = await session.waitForWindow({ exe: CLIENT.exe, class: CLIENT.joinClass, visible: true });
    assert.strictEqual(join.caption, CLIENT.joinCaption);
    assert.deepStrictEqual([join.rect.x, join.rect.y, join.rect.width, join.rect.height], [50, 50, 468, 250]);
    // In front: the join window comes first in the Z-order walk.
    const order = (await session.probe.windows({ exe: CLIENT.exe })).filter((w) => w.visible).map((w) => w.class);
    assert.ok(order.indexOf(CLIENT.joinClass) < order.indexOf(CLIENT.mainClass), `Z-order ${order}`);

    const controls = await session.probe.controls(join.hwnd);
    const texts = controls.map((c) => [c.class, c.text, c.rect.x, c.rect.y, c.rect.width, c.rect.height]);
    for (const expected of [
      ['Button', '自定义登入地址', 232, 16, 208, 184],
      ['Static', '如果站点配置文件有修改自定义登入地址，请在上面填写已修改的正确地址。', 240, 120, 184, 64],
      ['Edit', 'service/login', 240, 56, 192, 32],
      ['Button', '连接加入', 48, 104, 152, 32],
      ['Static', '无服务器编号？在部署的站点后台登入root超级管理员，右边菜单查看服务器编号设置', 32, 144, 184, 64],
      ['Edit', '', 40, 72, 176, 24],
      ['Static', 'Orvanta服务器由购买方自行提供', 40, 48, 184, 16],
      ['Static', '搜索服务器编号加入', 40, 16, 192, 32],
    ]) {
      assert.ok(texts.some((c) => JSON.stringify(c) === JSON.stringify(expected)), `control ${expected}`);
    }
    assert.strictEqual(readClientConfig(session).main.loginurl, 'service/login');
    const icons = await session.waitFor(async () => {
      const listed = (await session.probe.tray()).filter((i) => i.tip === CLIENT.trayTip);
      return listed.length > 0 && listed;
    }, { what: 'the tray icon' });
    assert.strictEqual(icons.length, 1);
    // Not bound: the browser is still made and goes to the login path alone.
    await waitForCall(session, /^WebView\.Navigate handle=\d+ url="\/service\/login\?isWindow=1"$/);
    await session.screenshot('join-window-in-front');
  });

test('bound start: no join window, the browser set up and sent to the site\'s login page', TIMEOUT, async (t) => {
  const hostdata = '{"code":"200","msg":"ok","data":"https://kf.example.test"}';
  const session = await startClientSession(t, { config: { main: { hostdata, loginurl: 'agent/login' } } });
  const { main } = await startClient(session);
  const put = await waitForCall(session, /^WebView\.PutSettings /);
  const read = await waitForCall(session, /^WebView\.GetSettings /);
  const before = read.split(' -> ')[1].split(',').map(Number);
  const after = put.split('settings=')[1].split(',').map(Number);
  const expected = before.map((value, i) => ({ 1: 1, 3: 0, 6: 1, 11: 1 })[i + 1] ?? value);
  assert.deepStrictEqual(after, expected);
  await waitForCall(session, /^WebView\.Navigate handle=\d+ url="https:\/\/kf\.example\.test\/agent\/login\?isWindow=1"$/);
  assert.strictEqual(await joinWindow(session).then((w) => w.visible), false);
  assert.strictEqual(readClientConfig(session).main.hostdata, hostdata);

  await runCommand(session, main, CLIENT.command.reloadHome);
  await waitForCall(session, /^WebView\.Reload handle=\d+/);
  await session.screenshot('main-window-with-tray');
});

test('page dialogs: the page gets exactly what the user chose', TIMEOUT, async (t) => {
  const session = await startClientSession(t);
  await startClient(session);
  await waitForCall(session, /^WebView\.Navigate /);
  const answerNext = async (kind, expectedText, id) => {
    const box = await session.waitForDialog({ exe: CLIENT.exe, visible: true });
    assert.deepStrictEqual([box.title, box.text], [CLIENT.infoTitle, expectedText], kind);
    await session.probe.answer(box.hwnd, { id });
  };
  const destroyed = () => browserCalls(session).filter((l) => l.startsWith('Destroyed ScriptDialogArgs'));

  browserCommand(session, 'dialog', 'last', 'alert', '订单已提交');
  await answerNext('alert', '订单已提交', ID.OK);
  await session.waitFor(() => destroyed().length === 1);
  browserCommand(session, 'dialog', 'last', 'confirm', '确定删除吗？');
  await answerNext('confirm', '确定删除吗？', ID.YES);
  await session.waitFor(() => destroyed().length === 2);
  browserCommand(session, 'dialog', 'last', 'confirm', '确定删除吗？');
  await answerNext('confirm', '确定删除吗？', ID.NO);
  await session.waitFor(() => destroyed().length === 3);
  assert.match(destroyed()[0], /accepted=0 completed=1/);
  assert.match(destroyed()[1], /accepted=1 completed=1/);
  assert.match(destroyed()[2], /accepted=0 completed=1/);

  browserCommand(session, 'dialog', 'last', 'prompt', '请输入备注', '默认');
  const input = await session.waitForWindow({ exe: CLIENT.exe, caption: '请输入：', visible: true });
  const edit = await session.control(input.hwnd, { class: 'Edit' });
  assert.strictEqual(edit.text, '默认');
  await session.probe.setText(edit.hwnd, '已回复客户');
  await session.probe.click((await session.control(input.hwnd, { id: ID.OK })).hwnd);
  await session.waitFor(() => destroyed().length === 4);
  assert.match(destroyed()[3], /accepted=1 completed=1 result="已回复客户"/);

  browserCommand(session, 'dialog', 'last', 'prompt', '请输入备注', '默认');
  const again = await session.waitForWindow({ exe: CLIENT.exe, caption: '请输入：', visible: true });
  await session.probe.click((await session.control(again.hwnd, { id: ID.CANCEL })).hwnd);
  await session.waitFor(() => destroyed().length === 5);
  assert.match(destroyed()[4], /accepted=0 completed=1/);
  assert.match(destroyed()[4], /result=none/);

  browserCommand(session, 'permission', 'last', 2);
  await waitForCall(session, /^Destroyed PermissionArgs handle=\d+ state=1 handled=1/);
});

test('geometry: moves and resizes are stored and restored; a low or missing height keeps the design', TIMEOUT,
  async (t) => {
    const session = await startClientSession(t);
    let { program, main } = await startClient(session);
    await session.probe.move(main.hwnd, 120, 90, 900, 600);
    await session.waitFor(() => readClientConfig(session).main.higth === '600', { what: 'geometry saved' });
    const stored = readClientConfig(session).main;
    assert.deepStrictEqual([stored.wide, stored.higth, stored.top, stored.lift], ['900', '600', '90', '120']);

    const restart = async (config) => {
      await runCommand(session, main, CLIENT.command.exit);
      const box = await session.waitForDialog({ exe: CLIENT.exe, visible: true });
      await session.probe.answer(box.hwnd, { id: ID.OK });
      assert.strictEqual(await program.exitCode(), 0);
      if (config) session.writeConfig('config/config.ini', config);
      ({ program, main } = await startClient(session));
      return main;
    };
    assert.deepStrictEqual((await restart()).rect, { x: 120, y: 90, width: 900, height: 600 });

    const fifty = { main: { loginurl: 'service/login', wide: '700', higth: '50', top: '10', lift: '10' } };
    assert.deepStrictEqual((await restart(fifty)).rect, CLIENT.design);

    const fiftyOne = { main: { loginurl: 'service/login', wide: '700', higth: '51', top: '10', lift: '20' } };
    const low = await restart(fiftyOne);
    assert.deepStrictEqual([low.rect.x, low.rect.y, low.rect.width, low.rect.height], [20, 10, 700, 51]);
  });

test('close hides; the tray brings the window back in the stored state, not left on top', TIMEOUT, async (t) => {
  const session = await startClientSession(t, { config: { main: { wz: 'maximised?' } } });
  const { main } = await startClient(session);
  await waitForCall(session, /^WebView\.Navigate /);
  const before = readClientConfig(session).main;
  await session.probe.close(main.hwnd);
  await session.waitFor(async () => !(await mainWindow(session)).visible, { what: 'hidden after close' });
  assert.deepStrictEqual(readClientConfig(session).main, before, 'hiding stores nothing');

  await session.probe.trayClick({ tip: CLIENT.trayTip }, 'left');
  const back = await session.waitFor(async () => {
    const window = await mainWindow(session);
    return window.visible && window;
  }, { what: 'shown by a tray click' });
  assert.deepStrictEqual([back.rect, back.topmost, back.minimized, back.maximized],
    [CLIENT.design, false, false, false]);

  // wz 3: maximised when brought forward; a double click does the same as a click.
  session.writeConfig('config/config.ini', { main: { wz: '3', loginurl: 'service/login' } });
  await session.probe.close(main.hwnd);
  await session.waitFor(async () => !(await mainWindow(session)).visible, { what: 'hidden again' });
  await session.probe.notify(main.hwnd, CLIENT.trayMessage, 1, WM.LBUTTONDBLCLK);
  const maximised = await session.waitFor(async () => {
    const window = await mainWindow(session);
    return window.visible && window.maximized && window;
  }, { what: 'maximised by wz 3' });
  assert.strictEqual(maximised.topmost, false);
});

test('exit asks with the caption: Cancel keeps running, OK ends with 0 and removes the tray icon', TIMEOUT,
  async (t) => {
    const session = await startClientSession(t);
    const { program, main } = await startClient(session);
    await runCommand(session, main, CLIENT.command.exit);
    let box = await session.waitForDialog({ exe: CLIENT.exe, visible: true });
    assert.deepStrictEqual([box.title, box.text], [CLIENT.infoTitle, `是否确定要退出${CLIENT.mainCaption}?`]);
    assert.deepStrictEqual(box.buttons.map((b) => b.id).sort(), [ID.OK, ID.CANCEL]);
    await session.screenshot('exit-question');
    await session.probe.answer(box.hwnd, { id: ID.CANCEL });
    await session.waitFor(async () => (await session.probe.dialogs({ exe: CLIENT.exe })).length === 0);
    assert.ok(program.running);
    assert.strictEqual((await mainWindow(session)).topmost, false);

    await runCommand(session, main, CLIENT.command.exit);
    box = await session.waitForDialog({ exe: CLIENT.exe, visible: true });
    await session.probe.answer(box.hwnd, { id: ID.OK });
    assert.strictEqual(await program.exitCode(), 0);
    assert.deepStrictEqual((await session.probe.tray()).filter((i) => i.tip === CLIENT.trayTip), []);
  });

test('reset asks first, then deletes config.ini and says so', TIMEOUT, async (t) => {
  const session = await startClientSession(t, { config: { main: { hostdataid: '1001' } } });
  const { main } = await startClient(session);
  await runCommand(session, main, CLIENT.command.resetConfig);
  let box = await session.waitForDialog({ exe: CLIENT.exe, visible: true });
  assert.strictEqual(box.text, `是否确定要初始化所有配置${CLIENT.mainCaption}?`);
  await session.probe.answer(box.hwnd, { id: ID.CANCEL });
  await session.waitFor(async () => (await session.probe.dialogs({ exe: CLIENT.exe })).length === 0);
  assert.strictEqual(readClientConfig(session).main.hostdataid, '1001');

  await runCommand(session, main, CLIENT.command.resetConfig);
  box = await session.waitForDialog({ exe: CLIENT.exe, visible: true });
  await session.probe.answer(box.hwnd, { id: ID.OK });
  const done = await session.waitForDialog({ exe: CLIENT.exe, visible: true, text: '已初始化完成，请重启程序' });
  assert.strictEqual(done.title, CLIENT.infoTitle);
  assert.strictEqual(readClientConfig(session), null);
  await session.probe.answer(done.hwnd, { id: ID.OK });
});

test('server settings brings the join window back after the user closed it', TIMEOUT, async (t) => {
  const session = await startClientSession(t);
  const { main } = await startClient(session);
  const join = await session.waitForWindow({ exe: CLIENT.exe, class: CLIENT.joinClass, visible: true });
  await session.probe.close(join.hwnd);
  await session.waitFor(async () => !(await joinWindow(session)), { what: 'join window destroyed' });
  await runCommand(session, main, CLIENT.command.serverSettings);
  const again = await session.waitForWindow({ exe: CLIENT.exe, class: CLIENT.joinClass, visible: true });
  assert.strictEqual(again.caption, CLIENT.joinCaption);
  assert.strictEqual((await mainWindow(session)).enabled, false, 'modal: the main window waits');
  await session.probe.close(again.hwnd);
  await session.waitFor(async () => (await mainWindow(session)).enabled, { what: 'main window enabled again' });
});

test('a second client from the same folder brings the first forward and ends', TIMEOUT, async (t) => {
  const session = await startClientSession(t);
  const { main } = await startClient(session);
  await session.probe.close(main.hwnd);
  await session.waitFor(async () => !(await mainWindow(session)).visible, { what: 'hidden' });
  const second = session.start(CLIENT.exe);
  assert.strictEqual(await second.exitCode(), 0);
  await session.waitFor(async () => (await mainWindow(session)).visible, { what: 'the first one forward' });
  const processes = (await session.probe.processes()).filter((p) => p.exe === CLIENT.exe);
  assert.strictEqual(processes.length, 1);
  assert.strictEqual((await session.probe.tray()).filter((i) => i.tip === CLIENT.trayTip).length, 1);
});

test('a right click on the tray icon opens the tray menu; "显示" brings the window forward', TIMEOUT, async (t) => {
  const session = await startClientSession(t);
  const { main } = await startClient(session);
  await session.probe.close(main.hwnd);
  await session.waitFor(async () => !(await mainWindow(session)).visible, { what: 'hidden' });
  await session.probe.trayClick({ tip: CLIENT.trayTip }, 'right');
  const menu = await session.waitForWindow({ exe: CLIENT.exe, class: '#32768', visible: true });
  await session.screenshot('tray-menu');
  const VK_ESCAPE = 0x1b, WM_KEYDOWN = 0x0100;
  await session.probe.post(menu.hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
  await session.waitFor(async () => !(await session.probe.windows({ exe: CLIENT.exe, className: '#32768' }))
    .some((w) => w.visible), { what: 'menu closed' });
  await runCommand(session, main, CLIENT.command.show);
  await session.waitFor(async () => (await mainWindow(session)).visible, { what: 'shown by "显示"' });
});
