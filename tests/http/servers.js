// The servers the HTTP client tests talk to, all on 127.0.0.1:
//   http    the endpoints below
//   https   the same endpoints, with a self-signed certificate
//   silent  accepts connections and never answers
//   closed  a port nobody listens on: the unreachable server
// Each takes the first free port of the range, so that test runs of several
// build trees can share the machine; the ports are printed once all listen:
// "ready <http> <https> <silent> <closed>".
//
// HTTP is parsed by hand on raw sockets so that /echo can hand back the exact
// bytes the client sent: the request line, every header line in its order and
// letter case, and the body.
//
// usage: node servers.js <first port> <last port> <key.pem> <cert.pem>
'use strict';
const fs = require('fs');
const net = require('net');
const tls = require('tls');

const [firstPort, lastPort, keyFile, certFile] = process.argv.slice(2);

const MiB = 1024 * 1024;
const GBK_ZHONGWEN = Buffer.from([0xd6, 0xd0, 0xce, 0xc4]);  // 中文 in GBK

function reply(socket, status, headers, body) {
  const bodyBuffer = Buffer.isBuffer(body) ? body : Buffer.from(body, 'utf8');
  const lines = [`HTTP/1.1 ${status}`, ...headers, `Content-Length: ${bodyBuffer.length}`, 'Connection: close'];
  socket.write(lines.join('\r\n') + '\r\n\r\n');
  socket.end(bodyBuffer);
}

// Writes `total` bytes in chunks, as fast as the client takes them, without
// ever holding more than one chunk: a client that stops reading and closes
// ends the stream.
function stream(socket, total, chunked) {
  const chunk = Buffer.alloc(64 * 1024, 'x');
  const head = chunked ? 'Transfer-Encoding: chunked' : `Content-Length: ${total}`;
  socket.write(`HTTP/1.1 200 OK\r\n${head}\r\nConnection: close\r\n\r\n`);
  let left = total;
  const pump = () => {
    while (left > 0 && !socket.destroyed) {
      const piece = left >= chunk.length ? chunk : chunk.subarray(0, left);
      left -= piece.length;
      const more = socket.write(
          chunked ? Buffer.concat([Buffer.from(piece.length.toString(16) + '\r\n'), piece, Buffer.from('\r\n')])
                  : piece);
      if (!more) return socket.once('drain', pump);
    }
    if (!socket.destroyed) socket.end(chunked ? '0\r\n\r\n' : undefined);
  };
  pump();
}

const routes = [
  [/^\/(echo|$|\?)/, (req, socket) => reply(socket, '200 OK', ['Content-Type: application/octet-stream'], req.raw)],
  [/^\/status\/404$/, (req, socket) => reply(socket, '404 Not Found', [], 'no such page')],
  [/^\/cookies$/, (req, socket) =>
    reply(socket, '200 OK', ['Set-Cookie: a=1; path=/', 'Set-Cookie: b=2'], 'cookies set')],
  [/^\/cookies-deleted$/, (req, socket) =>
    reply(socket, '200 OK', ['Set-Cookie: a=deleted; expires=Thu, 01 Jan 1970 00:00:00 GMT', 'Set-Cookie: b=2'],
          'cookies set')],
  [/^\/redirect$/, (req, socket) => reply(socket, '302 Found', ['Location: /echo/redirected'], 'moved')],
  [/^\/auth$/, (req, socket) => {
    const expected = 'Basic ' + Buffer.from('user:pa55').toString('base64');
    if (req.headers['authorization'] === expected) return reply(socket, '200 OK', [], 'welcome');
    reply(socket, '401 Unauthorized', ['WWW-Authenticate: Basic realm="test"'], 'denied');
  }],
  [/^\/utf8$/, (req, socket) =>
    reply(socket, '200 OK', ['Content-Type: text/html'],
          '<html><head><meta charset="utf-8"><title>t</title></head><body>中文</body></html>')],
  [/^\/gbk$/, (req, socket) =>
    reply(socket, '200 OK', ['Content-Type: text/html'],
          Buffer.concat([Buffer.from('<html><body>'), GBK_ZHONGWEN, Buffer.from('</body></html>')]))],
  [/^\/size\/(\d+)$/, (req, socket, match) => stream(socket, Number(match[1]), false)],
  // Far more than any client should take; one that does not stop reading
  // still ends, with a body the test sees.
  [/^\/endless$/, (req, socket) => stream(socket, 64 * MiB, true)],
  [/^\/truncated$/, (req, socket) => {
    socket.write('HTTP/1.1 200 OK\r\nContent-Length: 1000\r\nConnection: close\r\n\r\n0123456789');
    setTimeout(() => socket.destroy(), 100);
  }],
  [/^\/slow\/(\d+)$/, (req, socket, match) =>
    setTimeout(() => reply(socket, '200 OK', [], 'slow reply'), Number(match[1]))],
];

function handle(req, socket) {
  for (const [pattern, route] of routes) {
    const match = req.target.match(pattern);
    if (match) return route(req, socket, match);
  }
  reply(socket, '404 Not Found', [], 'unknown test endpoint');
}

// Reads one request (head and Content-Length body) from the socket.
function serve(socket) {
  socket.on('error', () => {});
  let buffered = Buffer.alloc(0);
  let done = false;
  socket.on('data', (data) => {
    if (done) return;
    buffered = Buffer.concat([buffered, data]);
    const headEnd = buffered.indexOf('\r\n\r\n');
    if (headEnd < 0) return;
    const head = buffered.subarray(0, headEnd).toString('latin1');
    const [requestLine, ...headerLines] = head.split('\r\n');
    const headers = {};
    for (const line of headerLines) {
      const colon = line.indexOf(':');
      if (colon > 0) headers[line.slice(0, colon).trim().toLowerCase()] = line.slice(colon + 1).trim();
    }
    const length = Number(headers['content-length'] || 0);
    if (buffered.length < headEnd + 4 + length) return;
    done = true;
    const [method, target] = requestLine.split(' ');
    handle({method, target, headers, raw: buffered.subarray(0, headEnd + 4 + length)}, socket);
  });
}

let nextPort = Number(firstPort);
let nextClosedPort = Number(lastPort);

// Listens on `port`; resolves to whether that worked, rejects on errors other
// than a taken port.
function tryListen(server, port) {
  return new Promise((resolve, reject) => {
    const onError = (error) => {
      server.removeListener('listening', onListening);
      if (error.code === 'EADDRINUSE') resolve(false);
      else reject(error);
    };
    const onListening = () => {
      server.removeListener('error', onError);
      resolve(true);
    };
    server.once('error', onError);
    server.once('listening', onListening);
    server.listen(port, '127.0.0.1');
  });
}

// Listens on the first free port of the range; resolves to that port.
async function listenInRange(server) {
  while (nextPort < nextClosedPort) {
    const port = nextPort++;
    if (await tryListen(server, port)) return port;
  }
  throw new Error(`no free port in ${firstPort}-${lastPort}`);
}

// A free port that then stays closed, taken from the top of the range where
// other runs look last.
async function closedPort() {
  while (nextClosedPort > nextPort) {
    const port = nextClosedPort--;
    const probe = net.createServer();
    if (await tryListen(probe, port)) {
      await new Promise((resolve) => probe.close(resolve));
      return port;
    }
  }
  throw new Error(`no free port in ${firstPort}-${lastPort}`);
}

async function main() {
  const ports = [
    await listenInRange(net.createServer(serve)),
    await listenInRange(tls.createServer({key: fs.readFileSync(keyFile), cert: fs.readFileSync(certFile)}, serve)),
    await listenInRange(net.createServer((socket) => socket.on('error', () => {}))),
    await closedPort(),
  ];
  console.log('ready ' + ports.join(' '));
}

// Never outlive a test run that forgot to stop us.
setTimeout(() => process.exit(0), 30 * 60 * 1000).unref();
main().catch((error) => {
  console.error(error.message);
  process.exit(1);
});
