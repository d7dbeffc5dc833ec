// Starts and stops the test servers for ctest (the http_servers fixture).
//
//   node control.js start <work folder> <first port> <last port>
//   node control.js stop  <work folder>
//
// start makes a fresh self-signed certificate for 127.0.0.1 and localhost in
// the work folder, ends a server a broken earlier run left behind, starts
// servers.js detached (its output goes to servers.log, never to ctest's
// pipes, which ctest would otherwise wait on) and returns once it listens,
// with the ports it took written to ports.txt for the tests.
'use strict';
const childProcess = require('child_process');
const fs = require('fs');
const path = require('path');

const [command, workFolder, firstPort, lastPort] = process.argv.slice(2);
const pidFile = path.join(workFolder || '.', 'servers.pid');

function stopRunning() {
  if (!fs.existsSync(pidFile)) return;
  const pid = Number(fs.readFileSync(pidFile, 'utf8'));
  try {
    process.kill(pid);
  } catch (error) {
    // Already gone.
  }
  fs.rmSync(pidFile, {force: true});
}

function makeCertificate() {
  const key = path.join(workFolder, 'key.pem');
  const cert = path.join(workFolder, 'cert.pem');
  childProcess.execFileSync('openssl', [
    'req', '-x509', '-newkey', 'rsa:2048', '-nodes', '-keyout', key, '-out', cert, '-days', '2',
    '-subj', '/CN=localhost', '-addext', 'subjectAltName=IP:127.0.0.1,DNS:localhost',
  ], {stdio: 'ignore'});
  return {key, cert};
}

function start() {
  fs.mkdirSync(workFolder, {recursive: true});
  stopRunning();
  const {key, cert} = makeCertificate();
  const log = path.join(workFolder, 'servers.log');
  fs.writeFileSync(log, '');
  const portsFile = path.join(workFolder, 'ports.txt');
  fs.rmSync(portsFile, {force: true});
  const out = fs.openSync(log, 'a');
  const server = childProcess.spawn(process.execPath, [path.join(__dirname, 'servers.js'), firstPort, lastPort, key, cert],
                                    {detached: true, stdio: ['ignore', out, out]});
  fs.writeFileSync(pidFile, String(server.pid));
  server.unref();
  const deadline = Date.now() + 15000;
  const waitReady = () => {
    const ready = fs.readFileSync(log, 'utf8').match(/^ready ([\d ]+)$/m);
    if (ready) {
      fs.writeFileSync(portsFile, ready[1] + '\n');
      process.exit(0);
    }
    if (Date.now() > deadline || server.exitCode !== null) {
      console.error('test servers did not start:\n' + fs.readFileSync(log, 'utf8'));
      stopRunning();
      process.exit(1);
    }
    setTimeout(waitReady, 50);
  };
  waitReady();
}

if (command === 'start') {
  start();
} else if (command === 'stop') {
  stopRunning();
} else {
  console.error('usage: node control.js start <work folder> <first port> <last port> | stop <work folder>');
  process.exit(2);
}
