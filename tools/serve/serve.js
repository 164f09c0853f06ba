// A small web server for the page's folder on this machine: it sends each
// file with its type, and where the browser accepts them and the build left
// them, the .br or .gz copy beside it (Content-Encoding, Vary), with ETags so
// a second look costs a 304. Only files inside the folder are served.
//   node tools/serve/serve.js [--port N] [--host ADDRESS] [FOLDER]   (default build-web, port 8080, 127.0.0.1)
// Also a module: Handler(Folder) is the request handler the browser tests serve with.
'use strict';
const crypto = require('crypto');
const fs = require('fs');
const http = require('http');
const path = require('path');

const Types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm', '.data': 'application/octet-stream', '.json': 'application/json',
  '.webmanifest': 'application/manifest+json', '.png': 'image/png', '.svg': 'image/svg+xml', '.txt': 'text/plain',
};
// Copies in the order they are preferred, with the token a browser accepts them by.
const Encodings = [['br', '.br'], ['gzip', '.gz']];
const Index = 'skyrend.html';

// The file a URL path names inside Folder, or null for one outside it.
function Resolve(Folder, UrlPath) {
  let Name;
  try {
    Name = decodeURIComponent(UrlPath);
  } catch (Error) {
    return null;
  }
  if (Name.includes('\0')) return null;
  if (Name.endsWith('/')) Name += Index;
  const Root = path.resolve(Folder);
  const File = path.resolve(Root, '.' + path.posix.normalize('/' + Name));
  return File.startsWith(Root + path.sep) ? File : null;
}

// The encodings the request accepts (q=0 refuses one).
function Accepted(Header) {
  const Tokens = new Set();
  for (const Part of String(Header || '').split(',')) {
    const [Token, ...Options] = Part.trim().toLowerCase().split(';');
    const Q = Options.map(O => O.trim()).find(O => O.startsWith('q='));
    if (Token && !(Q && Number(Q.slice(2)) === 0)) Tokens.add(Token);
  }
  return Tokens;
}

function Stat(File) {
  try {
    const S = fs.statSync(File);
    return S.isFile() ? S : null;
  } catch (Error) {
    return null;
  }
}

function Handler(Folder) {
  return (Request, Response) => {
    if (Request.method !== 'GET' && Request.method !== 'HEAD') {
      Response.writeHead(405, { Allow: 'GET, HEAD' });
      return Response.end();
    }
    const Url = new URL(Request.url, 'http://localhost');
    const File = Resolve(Folder, Url.pathname);
    const Original = File && Stat(File);
    if (!Original) {
      Response.writeHead(404, { 'Content-Type': 'text/plain' });
      return Response.end('Not found\n');
    }
    const Headers = { 'Content-Type': Types[path.extname(File)] || 'application/octet-stream',
                      // Names are not versioned: the browser asks again each time, and a 304 is cheap.
                      'Cache-Control': 'no-cache' };
    let Sent = File, SentStat = Original, Encoding = '';
    const Accepts = Accepted(Request.headers['accept-encoding']);
    let HasCopy = false;
    for (const [Token, Suffix] of Encodings) {
      const Copy = Stat(File + Suffix);
      if (!Copy) continue;
      HasCopy = true;
      if (!Encoding && Accepts.has(Token)) [Sent, SentStat, Encoding] = [File + Suffix, Copy, Token];
    }
    if (HasCopy) Headers.Vary = 'Accept-Encoding';
    if (Encoding) Headers['Content-Encoding'] = Encoding;
    const Tag = '"' + crypto.createHash('sha1').update(`${Sent}:${SentStat.size}:${SentStat.mtimeMs}`)
                            .digest('hex').slice(0, 20) + '"';
    Headers.ETag = Tag;
    Headers['Last-Modified'] = SentStat.mtime.toUTCString();
    if (Request.headers['if-none-match'] === Tag) {
      Response.writeHead(304, Headers);
      return Response.end();
    }
    Headers['Content-Length'] = SentStat.size;
    Response.writeHead(200, Headers);
    if (Request.method === 'HEAD') return Response.end();
    fs.createReadStream(Sent).on('error', () => Response.destroy()).pipe(Response);
  };
}

function Main(Arguments) {
  let Port = 8080, Host = '127.0.0.1', Folder = 'build-web';
  for (let i = 0; i < Arguments.length; ++i) {
    if (Arguments[i] === '--port') Port = Number(Arguments[++i]);
    else if (Arguments[i] === '--host') Host = Arguments[++i];
    else if (Arguments[i].startsWith('-')) throw new Error(`unknown option ${Arguments[i]}`);
    else Folder = Arguments[i];
  }
  if (!Number.isInteger(Port) || Port < 0 || Port > 65535) throw new Error('--port wants a number from 0 to 65535');
  if (!fs.existsSync(path.join(Folder, Index))) throw new Error(`no ${Index} in ${Folder}: build it with platform/web/build.sh`);
  const Server = http.createServer(Handler(Folder));
  Server.on('error', Error => {
    console.error(`serve: ${Error.message}`);
    process.exit(1);
  });
  Server.listen(Port, Host, () => console.log(`Serving ${path.resolve(Folder)} at http://${Host}:${Server.address().port}/${Index}`));
}

if (require.main === module) {
  try {
    Main(process.argv.slice(2));
  } catch (Error) {
    console.error(`serve: ${Error.message}`);
    process.exit(2);
  }
}

module.exports = { Handler, Resolve, Accepted };
