// A self-signed certificate for 127.0.0.1 and localhost, made once per build
// root with the openssl command line and reused.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const paths = require('./paths');

function selfSignedCertificate() {
  const folder = path.join(paths.e2eRoot, 'tls');
  const key = path.join(folder, 'key.pem');
  const cert = path.join(folder, 'cert.pem');
  if (!fs.existsSync(cert)) {
    fs.mkdirSync(folder, { recursive: true });
    execFileSync('openssl', ['req', '-x509', '-newkey', 'rsa:2048', '-nodes', '-days', '3650', '-subj', '/CN=localhost',
      '-addext', 'subjectAltName=IP:127.0.0.1,DNS:localhost', '-keyout', key, '-out', `${cert}.tmp`],
    { stdio: 'ignore' });
    fs.renameSync(`${cert}.tmp`, cert);
  }
  return { key: fs.readFileSync(key), cert: fs.readFileSync(cert) };
}

module.exports = { selfSignedCertificate };
