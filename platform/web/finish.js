// Finishes the page in the build folder after the programs are linked: the
// page's script with the files' sizes, the manifest, the service worker with
// the version of this build's files, and .br and .gz copies of every file
// worth compressing, beside the originals, for a server to send as they are.
// usage: node finish.js SOURCE_FOLDER BUILD_FOLDER
'use strict';
const crypto = require('crypto');
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

const [Source, Build] = process.argv.slice(2);
const In = Name => path.join(Source, Name);
const Out = Name => path.join(Build, Name);
const Size = Name => (fs.existsSync(Out(Name)) ? fs.statSync(Out(Name)).size : 0);

// Replaces the marked placeholder in Text, which must be there.
function Fill(Text, Mark, Value) {
  if (!Text.includes(Mark)) throw new Error(`no ${Mark} to fill`);
  return Text.replace(Mark, Value);
}

// Writes Bytes to Name unless it already holds them (keeps dates for incremental builds).
function Write(Name, Bytes) {
  if (fs.existsSync(Out(Name)) && Buffer.compare(fs.readFileSync(Out(Name)), Buffer.from(Bytes)) === 0) return;
  fs.writeFileSync(Out(Name), Bytes);
}

const Sizes = {};
for (const Program of ['skyrend', 'skyrend-test'])
  for (const Kind of ['.wasm', '.data']) if (Size(Program + Kind)) Sizes[Program + Kind] = Size(Program + Kind);
Write('skyrend-page.js', Fill(fs.readFileSync(In('skyrend-page.js'), 'utf8'), '/*SIZES*/{}/*SIZES*/', JSON.stringify(Sizes)));
Write('skyrend.webmanifest', fs.readFileSync(In('skyrend.webmanifest')));

// What the offline copy keeps: the player's page and everything it loads to
// play. The large icons are left to the browser, which fetches them when the
// page is installed: every visitor would pay for them otherwise.
const Kept = ['skyrend.html', 'skyrend-page.js', 'skyrend.js', 'skyrend.wasm', 'skyrend.data', 'skyrend.webmanifest',
              'skyrend-48.png'];
const Hash = crypto.createHash('sha256');
for (const Name of Kept) Hash.update(Name).update(fs.readFileSync(Out(Name)));
const Version = Hash.digest('hex').slice(0, 16);
let Worker = fs.readFileSync(In('skyrend-sw.js'), 'utf8');
Worker = Fill(Worker, '/*VERSION*/', Version);
Worker = Fill(Worker, '/*FILES*/[]', JSON.stringify(Kept));
Write('skyrend-sw.js', Worker);

// Compressed copies of the text and binary files (pictures are compressed already).
const Compressed = Kept.filter(Name => !Name.endsWith('.png')).concat(['skyrend-sw.js']);
for (const Name of Compressed) {
  const Bytes = fs.readFileSync(Out(Name));
  const Newer = Suffix => fs.existsSync(Out(Name + Suffix)) &&
                          fs.statSync(Out(Name + Suffix)).mtimeMs >= fs.statSync(Out(Name)).mtimeMs;
  if (!Newer('.br'))
    fs.writeFileSync(Out(Name + '.br'), zlib.brotliCompressSync(Bytes, { params: {
      [zlib.constants.BROTLI_PARAM_QUALITY]: 11, [zlib.constants.BROTLI_PARAM_SIZE_HINT]: Bytes.length } }));
  if (!Newer('.gz')) fs.writeFileSync(Out(Name + '.gz'), zlib.gzipSync(Bytes, { level: 9 }));
}
console.log(`Finished the page: version ${Version}, ${Compressed.length} files with .br and .gz copies`);
