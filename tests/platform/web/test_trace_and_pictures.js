// A scripted game run inside the page gives the very trace skyrend-sim gives
// for the same script and size, and the page's pictures of chosen frames
// match the native ones but for a few rasteriser pixels: at 4:3, and in a
// wide view, whose frustum widens and whose overlay keeps a 4:3 rectangle.
// usage: node test_trace_and_pictures.js WEB_BUILD NATIVE_BIN WORK_DIR
'use strict';
const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');
const { PNG } = require('pngjs');
const { OpenPage, RunInBrowser } = require('./Browser');
const { FirstTraceDifference, PixelDifference } = require('./Compare');

const [WebBuild, NativeBin, Work] = process.argv.slice(2);
const Runs = [
  { Width: 512, Height: 384, Frames: 1400, Shots: [2, 60, 150, 450, 900, 1300] },
  { Width: 400, Height: 200, Frames: 300, Shots: [150, 290] },
];
// Start, fire and turn with keys, steer with the mouse, speed up, flat shading, the radar dimmed.
const Script = [
  '104 down 90', '104 up 90', '110 down 32', '110 down 39', '200 up 39', '210 down 38', '240 up 38',
  '300 mouse 40 0', '301 mouse 35 -10 right', '302 mouse -20 -10 right', '320 click', '330 down 70',
  '331 up 70', '400 down 66', '401 up 66', '500 up 32', '520 down 37', '700 up 37', '705 down 32',
  '1100 down 70', '1101 up 70', '1200 up 32',
].join('\n') + '\n';
// A pixel differs when a channel is off by more than this; a picture may have this share of them.
const Threshold = 48, AllowedShare = 0.02;

async function Run(Browser, Server, { Width, Height, Frames, Shots }, Work) {
  let Failed = false;
  fs.mkdirSync(Work, { recursive: true });
  const ScriptPath = path.join(Work, 'script.txt');
  fs.writeFileSync(ScriptPath, Script);
  const NativeTrace = path.join(Work, 'native.jsonl');
  const ShotArgs = Shots.flatMap(k => ['--shot', `${k}:${path.join(Work, `native-${k}.png`)}`]);
  execFileSync(path.join(NativeBin, 'skyrend-sim'), ['--script', ScriptPath, '--frames', String(Frames),
    '--size', `${Width}x${Height}`, '--trace', NativeTrace, ...ShotArgs], { stdio: 'inherit' });

  const Page = await OpenPage(Browser, Server, { Module: 'skyrend-test' });
  const Started = Date.now();
  const Result = await Page.evaluate((Text, F, W, H, ShotList) => {
    Module.FS.writeFile('/script.txt', Text);
    const Code = Module.ccall('SkyrendRunScript', 'number', ['string', 'number', 'number', 'number', 'string', 'string'],
                              ['/script.txt', F, W, H, '/trace.jsonl', ShotList]);
    const Shots = {};
    for (const k of ShotList.split(',')) Shots[k] = Array.from(Module.FS.readFile(`/shot-${k}.rgba`));
    return { Code, Trace: Module.FS.readFile('/trace.jsonl', { encoding: 'utf8' }), Shots };
  }, Script, Frames, Width, Height, Shots.join(','));
  console.log(`${Width}x${Height}: the page ran ${Frames} frames in ${((Date.now() - Started) / 1000).toFixed(1)} s`);
  if (Result.Code !== 0) throw new Error(`SkyrendRunScript returned ${Result.Code}\n${Page.Lines.join('\n')}`);
  fs.writeFileSync(path.join(Work, 'web.jsonl'), Result.Trace);

  const Native = fs.readFileSync(NativeTrace, 'utf8');
  const Difference = FirstTraceDifference(Native, Result.Trace);
  if (Difference) {
    Failed = true;
    console.log(`FAIL: traces differ from frame ${Difference.Line}, field "${Difference.Field}"\n` +
                `  native: ...${Difference.Native}...\n  web:    ...${Difference.Web}...`);
  } else {
    console.log(`traces identical: ${Native.length} bytes, ${Frames} frames`);
  }

  for (const k of Shots) {
    const Mine = Uint8Array.from(Result.Shots[k]);
    fs.writeFileSync(path.join(Work, `web-${k}.png`), PNG.sync.write(Object.assign(new PNG({ width: Width, height: Height }), { data: Buffer.from(Mine) })));
    const Theirs = PNG.sync.read(fs.readFileSync(path.join(Work, `native-${k}.png`)));
    const D = PixelDifference(Theirs.data, Mine, Width, Height, Threshold);
    const Verdict = D.Share <= AllowedShare ? 'ok' : 'FAIL';
    if (D.Share > AllowedShare) Failed = true;
    console.log(`frame ${k}: ${D.Count} pixels differ (${(D.Share * 100).toFixed(2)} %)` +
                (D.Box ? ` within x ${D.Box[0]}-${D.Box[2]}, y ${D.Box[1]}-${D.Box[3]}` : '') + ` ${Verdict}`);
  }
  if (Page.Errors.length) {
    Failed = true;
    console.log('FAIL: console errors:\n' + Page.Errors.join('\n'));
  }
  await Page.close();
  return Failed;
}

RunInBrowser(WebBuild, async (Browser, Server) => {
  let Failed = false;
  for (const R of Runs) Failed = (await Run(Browser, Server, R, path.join(Work, `${R.Width}x${R.Height}`))) || Failed;
  return Failed;
});
