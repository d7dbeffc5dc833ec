// The client at work under Wine, on a virtual display of its own: it starts
// unbound, the user types a server number into the join window, the local
// directory service answers with a site, and the client opens that site's
// login page in its browser (the stand-in library, which shows the address).
// Screenshots of each step go to artifacts/e2e/demo/.
'use strict';
const path = require('node:path');
const { Session, ID, paths } = require('../tests/e2e/lib/harness');
const { DirectoryService } = require('../tests/e2e/lib/directory_service');
const { CLIENT } = require('../tests/e2e/lib/client');

const SERVER_NUMBER = '1001';
const SITE = 'https://127.0.0.1:18644/kf';

async function main() {
  const directory = await new DirectoryService({ [SERVER_NUMBER]: { code: '200', msg: 'ok', data: SITE } }).start();
  const session = await Session.create({
    name: 'demo',
    files: [paths.distDir, path.join(paths.windowsTree, 'tools', 'edgeview', 'edgeview.dll')],
  });
  let passed = false;
  try {
    const client = session.start(CLIENT.exe);
    const join = await session.waitForWindow({ exe: CLIENT.exe, class: CLIENT.joinClass, visible: true });
    const controls = await session.probe.controls(join.hwnd);
    const numberBox = controls.find((c) => c.class === 'Edit' && c.rect.x === 40);
    await session.probe.type(numberBox.hwnd, SERVER_NUMBER);
    console.log(`demo: ${await session.screenshot('1-join-window')}`);
    await session.probe.click(controls.find((c) => c.text === '连接加入').hwnd);

    const linked = await session.waitForDialog({ exe: CLIENT.exe, visible: true });
    console.log(`demo: the client says "${linked.text}"`);
    console.log(`demo: ${await session.screenshot('2-linked')}`);
    await session.probe.answer(linked.hwnd, { id: ID.OK });
    const main = await session.waitForWindow({ exe: CLIENT.exe, class: CLIENT.mainClass, visible: true });
    await session.waitFor(async () => (await session.probe.controls(main.hwnd))
      .some((c) => c.text.startsWith(SITE)), { what: 'the site in the browser' });
    console.log(`demo: ${await session.screenshot('3-site-in-browser')}`);
    console.log(`demo: config.ini now holds ${JSON.stringify(session.readConfig('config/config.ini').main)}`);

    await session.probe.post(main.hwnd, 0x0111, CLIENT.command.exit, 0);
    await session.probe.answer((await session.waitForDialog({ exe: CLIENT.exe, visible: true })).hwnd, { id: ID.OK });
    console.log(`demo: the client ended with exit code ${await client.exitCode()}`);
    passed = true;
  } finally {
    await session.close({ passed });
    await directory.stop();
  }
}

main().catch((error) => {
  console.error(`demo failed: ${error.stack || error}`);
  process.exit(1);
});
