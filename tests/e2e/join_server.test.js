// Binding the client to a site through its server number, against a local
// directory service under Wine.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert');
const { ID } = require('./lib/harness');
const { startDirectoryService } = require('./lib/directory_service');
const {
  CLIENT, startClientSession, startClient, readClientConfig, mainWindow, joinWindow, waitForCall, browserCalls,
} = require('./lib/client');

const TIMEOUT = { timeout: 240000 };
const SITE = 'https://kf.example.test';

// The join window's controls by the names of its design.
async function joinControls(session) {
  const join = await session.waitForWindow({ exe: CLIENT.exe, class: CLIENT.joinClass, visible: true });
  const controls = await session.probe.controls(join.hwnd);
  const edits = controls.filter((c) => c.class === 'Edit');
  return {
    join,
    serverNumber: edits.find((c) => c.rect.x === 40),  // 编辑框1
    loginUrl: edits.find((c) => c.rect.x === 240),     // 编辑框loginurl
    button: controls.find((c) => c.text === '连接加入'),  // 按钮1
  };
}

async function join(session, number, loginUrl) {
  const controls = await joinControls(session);
  await session.probe.setText(controls.serverNumber.hwnd, number);
  if (loginUrl !== undefined) await session.probe.setText(controls.loginUrl.hwnd, loginUrl);
  await session.probe.click(controls.button.hwnd);
  return controls;
}

const navigations = (session) => browserCalls(session).filter((l) => l.startsWith('WebView.Navigate '));

test('a found number binds the client: stored entry, login page, link message; the next start needs no request',
  TIMEOUT, async (t) => {
    const directory = await startDirectoryService(t, { '1001': { code: '200', msg: 'ok', data: SITE } });
    const session = await startClientSession(t);
    let { program, main } = await startClient(session);
    await waitForCall(session, /^WebView\.Navigate /);
    await join(session, '1001');

    const box = await session.waitForDialog({ exe: CLIENT.exe, visible: true });
    assert.deepStrictEqual([box.title, box.text], [CLIENT.infoTitle, '已链接到服务器：1001']);
    // The service opened the envelope with crypto-js and found the typed number.
    assert.strictEqual(directory.requests.length, 1);
    const request = directory.requests[0];
    assert.strictEqual(request.query, '{"domainid":"1001"}');
    assert.match(request.passPhrase, /^\d$/);
    // The Base64 goes as it is: no %2B, %2F or %3D.
    assert.match(request.rawUrl, /^\/api\/domaincheckid\?data=\d:@(\||%7C)[A-Za-z0-9+/]+=*$/);

    const stored = readClientConfig(session).main;
    assert.match(stored.hostdata, /^"9:@\|[A-Za-z0-9+/]+=*"$/, 'stored byte for byte, quotes included');
    assert.strictEqual(stored.hostdataid, '1001');
    assert.strictEqual((await joinWindow(session)).visible, false);
    await waitForCall(session, /^WebView\.Navigate handle=\d+ url="https:\/\/kf\.example\.test\/service\/login\?isWindow=1"$/);
    await session.probe.answer(box.hwnd, { id: ID.OK });
    await session.waitFor(async () => (await mainWindow(session)).visible, { what: 'main window forward' });

    // Next start: decoded from config.ini alone.
    await session.probe.post(main.hwnd, 0x0111, CLIENT.command.exit, 0);
    await session.probe.answer((await session.waitForDialog({ exe: CLIENT.exe, visible: true })).hwnd, { id: ID.OK });
    assert.strictEqual(await program.exitCode(), 0);
    ({ program, main } = await startClient(session));
    await session.waitFor(() => navigations(session).filter((l) => l.includes(SITE)).length === 2,
      { what: 'the second start going to the site' });
    assert.strictEqual(directory.requests.length, 1);
    assert.strictEqual((await joinWindow(session)).visible, false);
  });

test('a refused number: the message in a box that closes itself, nothing bound, the window stays', TIMEOUT,
  async (t) => {
    const directory = await startDirectoryService(t, { '2002': { code: '201', msg: '该服务器已停用', data: '' } });
    const session = await startClientSession(t);
    await startClient(session);
    await waitForCall(session, /^WebView\.Navigate /);
    const controls = await join(session, '2002');
    const box = await session.waitForDialog({ exe: CLIENT.exe, visible: true });
    const shownAt = Date.now();
    assert.deepStrictEqual([box.title, box.text], ['友情提醒', '该服务器已停用']);
    assert.strictEqual(box.owner, controls.join.hwnd, 'owned by the client\'s front window');
    await session.waitFor(async () => (await session.probe.dialogs({ exe: CLIENT.exe })).length === 0,
      { timeout: 15000, what: 'the box closing by itself' });
    const seconds = (Date.now() - shownAt) / 1000;
    assert.ok(seconds > 3 && seconds < 9, `closed after ${seconds} s`);

    assert.strictEqual(directory.requests[0].domainid, '2002');
    const stored = readClientConfig(session).main;
    assert.strictEqual(stored.hostdata, undefined);
    assert.strictEqual(stored.hostdataid, '2002');
    assert.strictEqual(navigations(session).length, 1, 'no navigation after a failed lookup');
    assert.strictEqual((await joinWindow(session)).visible, true, 'the join window stays for another try');
    const button = (await session.probe.controls(controls.join.hwnd)).find((c) => c.text === '连接加入');
    assert.strictEqual(button.enabled, true);
  });

test('an empty number asks for one; the login path is taken first, even empty', TIMEOUT, async (t) => {
  const directory = await startDirectoryService(t, { '3003': { code: 200, msg: '', data: `${SITE}/` } });
  const session = await startClientSession(t);
  await startClient(session);
  await waitForCall(session, /^WebView\.Navigate /);
  await join(session, '', 'custom/login');
  const box = await session.waitForDialog({ exe: CLIENT.exe, visible: true });
  assert.deepStrictEqual([box.title, box.text], [CLIENT.infoTitle, '请输入服务器编号']);
  assert.strictEqual(readClientConfig(session).main.loginurl, 'custom/login');
  await session.probe.answer(box.hwnd, { id: ID.OK });
  await session.waitFor(async () => (await session.probe.dialogs({ exe: CLIENT.exe })).length === 0,
    { what: 'the box gone' });
  assert.strictEqual(directory.requests.length, 0);

  // The code as the number 200 and a site ending in "/": both as they come.
  await join(session, '3003', '');
  const linked = await session.waitForDialog({ exe: CLIENT.exe, visible: true });
  assert.strictEqual(linked.text, '已链接到服务器：3003');
  assert.strictEqual(readClientConfig(session).main.loginurl, '');
  await waitForCall(session, /^WebView\.Navigate handle=\d+ url="https:\/\/kf\.example\.test\/\/\?isWindow=1"$/);
  await session.probe.answer(linked.hwnd, { id: ID.OK });
});

test('a typed quote cannot change the query', TIMEOUT, async (t) => {
  const directory = await startDirectoryService(t, {});
  const session = await startClientSession(t);
  await startClient(session);
  await waitForCall(session, /^WebView\.Navigate /);
  await join(session, '1","admin":"1');
  const box = await session.waitForDialog({ exe: CLIENT.exe, visible: true, title: '友情提醒' });
  assert.strictEqual(box.text, '服务器编号不存在');
  assert.deepStrictEqual(JSON.parse(directory.requests[0].query), { domainid: '1","admin":"1' });
});
