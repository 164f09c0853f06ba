// The local server sends the .br or .gz copy a browser accepts, with the
// original's type, Content-Encoding and Vary; the original to a browser that
// accepts neither; a 304 for a copy the browser already has; and nothing from
// outside its folder. usage: node test_serve.js
'use strict';
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const { Handler } = require('../../../tools/serve/serve.js');

let Failures = 0;
function Check(Ok, What) {
  console.log(`${Ok ? 'ok' : 'FAIL'}: ${What}`);
  if (!Ok) ++Failures;
}

function Get(Port, Url, Headers = {}, Method = 'GET') {
  return new Promise((Resolve, Reject) => {
    const Request = http.request({ host: '127.0.0.1', port: Port, path: Url, method: Method, headers: Headers }, Response => {
      const Parts = [];
      Response.on('data', Part => Parts.push(Part));
      Response.on('end', () => Resolve({ Status: Response.statusCode, Headers: Response.headers, Body: Buffer.concat(Parts) }));
    });
    Request.on('error', Reject);
    Request.end();
  });
}

(async () => {
  const Top = fs.mkdtempSync(path.join(os.tmpdir(), 'serve-'));
  const Folder = path.join(Top, 'site');
  fs.mkdirSync(Folder);
  fs.writeFileSync(path.join(Top, 'secret.txt'), 'outside');
  fs.writeFileSync(path.join(Folder, 'skyrend.html'), '<!doctype html>');
  fs.writeFileSync(path.join(Folder, 'game.wasm'), 'plain');
  fs.writeFileSync(path.join(Folder, 'game.wasm.br'), 'brotli');
  fs.writeFileSync(path.join(Folder, 'game.wasm.gz'), 'gzip');
  fs.writeFileSync(path.join(Folder, 'icon.png'), 'png');
  const Server = http.createServer(Handler(Folder));
  await new Promise(Resolve => Server.listen(0, '127.0.0.1', Resolve));
  const Port = Server.address().port;
  try {
    const Br = await Get(Port, '/game.wasm', { 'Accept-Encoding': 'gzip, deflate, br' });
    Check(Br.Body.toString() === 'brotli' && Br.Headers['content-encoding'] === 'br' &&
          Br.Headers['content-type'] === 'application/wasm' && Br.Headers.vary === 'Accept-Encoding',
          `brotli where accepted, as application/wasm, varying by Accept-Encoding (${JSON.stringify(Br.Headers)})`);
    const Gz = await Get(Port, '/game.wasm', { 'Accept-Encoding': 'gzip, br;q=0' });
    Check(Gz.Body.toString() === 'gzip' && Gz.Headers['content-encoding'] === 'gzip', 'gzip where brotli is refused');
    const Plain = await Get(Port, '/game.wasm', {});
    Check(Plain.Body.toString() === 'plain' && !Plain.Headers['content-encoding'] && Plain.Headers.vary === 'Accept-Encoding',
          'the original where no encoding is accepted, still varying');
    const Again = await Get(Port, '/game.wasm', { 'Accept-Encoding': 'br', 'If-None-Match': Br.Headers.etag });
    Check(Again.Status === 304 && Again.Body.length === 0, `a copy the browser has costs a 304 (${Again.Status})`);
    const Picture = await Get(Port, '/icon.png', { 'Accept-Encoding': 'br' });
    Check(Picture.Headers['content-type'] === 'image/png' && !Picture.Headers.vary, 'a file without copies is sent as it is');
    const Index = await Get(Port, '/', {});
    Check(Index.Status === 200 && Index.Body.toString() === '<!doctype html>', 'the folder itself is the page');
    for (const Url of ['/../secret.txt', '/%2e%2e/secret.txt', '/..%2fsecret.txt', '/missing.js', '/%00', '/%zz'])
      Check((await Get(Port, Url)).Status === 404, `${Url} is not found`);
    Check((await Get(Port, '/game.wasm', {}, 'POST')).Status === 405, 'only GET and HEAD');
  } finally {
    Server.close();
    fs.rmSync(Top, { recursive: true, force: true });
  }
  process.exit(Failures ? 1 : 0);
})().catch(Error => {
  console.error(Error);
  process.exit(1);
});
