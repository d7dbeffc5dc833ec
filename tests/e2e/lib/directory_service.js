// A local stand-in for the vendor's directory service: HTTPS with a
// self-signed certificate on the port the test build of the client is
// configured for. It opens each request's envelope with crypto-js (not the
// project's C++), records what arrived, and answers from a table of server
// numbers, sealed in an envelope wrapped in double quotes as the real service
// sends it.
'use strict';
const https = require('node:https');
const envelope = require('../../oracle/envelope');
const { selfSignedCertificate } = require('./tls_certificate');

// Must match ORVANTA_DIRECTORY_HOST of the Windows build tree (scripts/build.sh).
const DIRECTORY_PORT = 18643;
const ANSWER_PASS_PHRASE = '9';

class DirectoryService {
  // answers: { [server number]: answer object, or a function (query) => raw body }
  constructor(answers) {
    this.answers = answers;
    this.requests = [];  // { rawUrl, passPhrase, query, domainid }
  }

  async start() {
    this.server = https.createServer(selfSignedCertificate(), (request, response) => this.handle(request, response));
    await new Promise((resolve, reject) => {
      this.server.once('error', reject);
      this.server.listen(DIRECTORY_PORT, '127.0.0.1', resolve);
    });
    return this;
  }

  handle(request, response) {
    const rawUrl = request.url;
    const prefix = '/api/domaincheckid?data=';
    const record = { rawUrl };
    this.requests.push(record);
    if (!rawUrl.startsWith(prefix)) {
      response.writeHead(404).end('not found');
      return;
    }
    // WinHTTP escapes the "|" of the separator as %7C, as on Windows; "+", "/"
    // and "=" it leaves alone. Percent escapes are undone, "+" stays "+".
    const sealed = rawUrl.substring(prefix.length).replace(/%([0-9A-Fa-f]{2})/g,
      (_, hex) => String.fromCharCode(parseInt(hex, 16)));
    record.passPhrase = sealed.substring(0, sealed.indexOf(envelope.SEPARATOR));
    record.query = envelope.open(sealed);
    try {
      record.domainid = JSON.parse(record.query).domainid;
    } catch {
      record.domainid = undefined;
    }
    const answer = this.answers[record.domainid] ?? { code: '404', msg: '服务器编号不存在', data: '' };
    const body = typeof answer === 'function'
      ? answer(record)
      : `"${envelope.seal(JSON.stringify(answer), ANSWER_PASS_PHRASE)}"`;
    response.writeHead(200, { 'Content-Type': 'text/html; charset=utf-8' }).end(body);
  }

  async stop() {
    if (this.server) await new Promise((resolve) => this.server.close(resolve));
  }
}

// A directory service for the length of the node:test test `t`.
async function startDirectoryService(t, answers) {
  const service = await new DirectoryService(answers).start();
  t.after(() => service.stop());
  return service;
}

module.exports = { startDirectoryService, DirectoryService, DIRECTORY_PORT };
