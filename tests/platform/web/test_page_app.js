// The page as an app, as a player meets it: the picture fills the window
// below the header at the device's pixel ratio (up to 1920 x 1080) with no
// scrolling; full screen from F11, Alt+Enter and the button; a loading bar
// counting the .wasm and .data, then a cover that a click takes away; a
// message in view without WebGL 2; a lost WebGL context built again with the
// same picture, or a message to reload when the browser keeps it; only the
// game's keys taken, and only while the game has the focus; the pointer in
// sight until the game holds it; a manifest with its icons and an accessible
// canvas; a second visit that plays with the server gone; and no request
// anywhere but the page's own folder. usage: node test_page_app.js WEB_BUILD
'use strict';
const fs = require('fs');
const path = require('path');
const { Serve, OpenPage, Uncover, CanvasPixels, RunInBrowser, Sleep, WaitFor, Check, Failed } = require('./Browser');
const { Pixel, SamePicture } = require('./PageProbes');

const [WebBuild] = process.argv.slice(2);
const Outside = [];  // requests to anywhere but the page's server

function Watch(Page) {
  Page.on('request', Request => {
    if (!/^(http:\/\/127\.0\.0\.1:\d+\/|data:|blob:)/.test(Request.url())) Outside.push(Request.url());
  });
  return Page;
}

const Status = Page => Page.$eval('#status', Element => Element.textContent);

function Differing(A, B) {
  if (A.width !== B.width || A.height !== B.height) return A.width * A.height;
  let Count = 0;
  for (let i = 0; i < A.data.length; i += 4)
    if (A.data[i] !== B.data[i] || A.data[i + 1] !== B.data[i + 1] || A.data[i + 2] !== B.data[i + 2]) ++Count;
  return Count;
}

async function Fit(Browser, Server) {
  for (const [Width, Height, Scale] of [[1366, 657, 1], [2560, 1440, 1], [1366, 657, 2], [390, 844, 3]]) {
    const Page = Watch(await OpenPage(Browser, Server, { Width, Height, Scale }));
    const M = await Page.evaluate(() => {
      const Canvas = document.getElementById('canvas'), Box = Canvas.getBoundingClientRect();
      return { Buffer: [Canvas.width, Canvas.height], Box: [Box.left, Box.top, Box.right, Box.bottom],
               Window: [innerWidth, innerHeight], Scroll: document.documentElement.scrollHeight };
    });
    const [Left, Top, Right, Bottom] = M.Box;
    const W = (Right - Left) * Scale, H = (Bottom - Top) * Scale;
    const Shrink = Math.min(1, 1920 / Math.max(W, H), 1080 / Math.min(W, H));
    const Wanted = [Math.round(W * Shrink), Math.round(H * Shrink)];
    Check(Left === 0 && Right === M.Window[0] && Bottom === M.Window[1] && Top > 0 && Top <= 48 &&
          M.Scroll <= M.Window[1] && Math.abs(M.Buffer[0] - Wanted[0]) <= 1 && Math.abs(M.Buffer[1] - Wanted[1]) <= 1,
          `${Width}x${Height} at ${Scale}x: the picture fills the window below the header, drawn ` +
          `${M.Buffer.join('x')} (${JSON.stringify(M)})`);
    await Page.close();
  }
}

async function FullScreen(Browser, Server) {
  const Page = Watch(await OpenPage(Browser, Server));
  const Full = () => Page.evaluate(() => (document.fullscreenElement || {}).id || '');
  const AltEnter = async () => {
    await Page.keyboard.down('AltLeft');
    await Page.keyboard.press('Enter');
    await Page.keyboard.up('AltLeft');
  };
  // The button is in the header, which full screen leaves out: F11 or Alt+Enter (or Esc) come back.
  const Steps = [];
  for (const [Act, Wanted] of [[() => Page.keyboard.press('F11'), 'stage'], [AltEnter, ''], [AltEnter, 'stage'],
                               [() => Page.keyboard.press('F11'), ''], [() => Page.click('#fullscreen'), 'stage']]) {
    await Act();
    Steps.push(await WaitFor(Full, Id => Id === Wanted));
  }
  const Fills = await Page.evaluate(() => {
    const Box = document.getElementById('canvas').getBoundingClientRect();
    return Box.top === 0 && Box.height === innerHeight;
  });
  await Page.keyboard.press('F11');
  await WaitFor(Full, Id => Id === '');
  Check(Steps.join() === 'stage,,stage,,stage' && Fills,
        `F11, Alt+Enter and the button go in and out of full screen, the picture filling it (${Steps}, ${Fills})`);

  // Keys: the game's keys are taken while it has the focus; the browser's shortcuts never are.
  await Page.focus('#canvas');
  const Taken = (Code, Modifiers = {}) => Page.evaluate((Code, Modifiers) => {
    const Options = Object.assign({ code: Code, key: Code, bubbles: true, cancelable: true }, Modifiers);
    const Target = document.activeElement || document.body;
    const Passed = Target.dispatchEvent(new KeyboardEvent('keydown', Options));
    Target.dispatchEvent(new KeyboardEvent('keyup', Options));
    return !Passed;
  }, Code, Modifiers);
  const Game = [];
  for (const Code of ['ArrowLeft', 'ArrowUp', 'Space', 'KeyZ', 'Numpad4']) Game.push(await Taken(Code));
  const Browsers = [];
  for (const [Code, Modifiers] of [['F5'], ['F12'], ['Tab'], ['Backspace'], ['KeyR', { ctrlKey: true }],
                                   ['KeyL', { ctrlKey: true }], ['KeyF', { ctrlKey: true }], ['KeyP', { ctrlKey: true }],
                                   ['Digit0', { ctrlKey: true }], ['ArrowLeft', { altKey: true }],
                                   ['KeyZ', { metaKey: true }]])
    if (await Taken(Code, Modifiers)) Browsers.push(Code + JSON.stringify(Modifiers || {}));
  await Page.focus('#fullscreen');
  const Elsewhere = (await Taken('Space')) || (await Taken('ArrowLeft'));
  Check(Game.every(Boolean) && Browsers.length === 0 && !Elsewhere,
        `the page takes the game's keys (${Game}) and no shortcut (${Browsers}), and none while a button has the focus (${Elsewhere})`);

  // The pointer stays in sight in play until the game holds it.
  await Page.focus('#canvas');
  await Page.keyboard.press('KeyZ');
  await Sleep(500);
  const Cursor = await Page.$eval('#canvas', Canvas => getComputedStyle(Canvas).cursor);
  Check(Cursor !== 'none', `the pointer is not hidden before the game holds it (cursor ${Cursor})`);

  // The page introduces itself: a viewport for phones, a labelled and described canvas, the manifest's icons.
  const About = await Page.evaluate(async () => {
    const Canvas = document.getElementById('canvas');
    const Described = document.getElementById(Canvas.getAttribute('aria-describedby') || '-');
    const Manifest = await (await fetch(document.querySelector('link[rel=manifest]').href)).json();
    const Icons = [];
    for (const Icon of Manifest.icons) {
      const Image = await createImageBitmap(await (await fetch(Icon.src)).blob());
      Icons.push(`${Icon.sizes}=${Image.width}x${Image.height}`);
    }
    return { Viewport: (document.querySelector('meta[name=viewport]') || {}).content, Label: Canvas.getAttribute('aria-label'),
             Description: Described ? Described.textContent.length : 0,
             Name: Manifest.name, Start: Manifest.start_url, Icons };
  });
  Check(/width=device-width/.test(About.Viewport) && About.Label && About.Description > 80 &&
        About.Name === 'Skyrend' && About.Icons.join() === '192x192=192x192,512x512=512x512',
        `viewport, labelled and described canvas, manifest with its icons (${JSON.stringify(About)})`);
  await Page.close();
}

// The bar counts the .wasm's and .data's bytes on a slow line; the cover then waits for a click.
async function Loading(Browser, Server) {
  const Context = await Browser.createBrowserContext();
  const Page = Watch(await Context.newPage());
  const Cdp = await Page.target().createCDPSession();
  await Cdp.send('Network.enable');
  await Cdp.send('Network.emulateNetworkConditions', { offline: false, latency: 40, downloadThroughput: 300 * 1024,
                                                       uploadThroughput: 300 * 1024 });
  await Page.goto(`http://127.0.0.1:${Server.address().port}/skyrend.html`);
  const Seen = [];
  for (let i = 0; i < 400; ++i) {
    const State = await Page.evaluate(() => [document.getElementById('progress').value, document.getElementById('progress').max,
                                             document.getElementById('cover').classList.contains('ready')]);
    Seen.push(State);
    if (State[2]) break;
    await Sleep(50);
  }
  const Total = ['skyrend.wasm', 'skyrend.data'].reduce((Sum, Name) => Sum + fs.statSync(path.join(WebBuild, Name)).size, 0);
  const Between = Seen.some(([Value, Max]) => Value > 0 && Value < Max && Max === Total);
  const [LastValue, LastMax, Ready] = Seen[Seen.length - 1];
  Check(Between && LastValue === Total && LastMax === Total && Ready,
        `the loading bar counts up to the ${Total} bytes of the .wasm and .data (${Seen.length} looks, last ${LastValue}/${LastMax})`);
  await Cdp.send('Network.emulateNetworkConditions', { offline: false, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
  const Covered = await Page.evaluate(() => !document.getElementById('cover').hidden &&
                                            !document.getElementById('play').hidden);
  await Uncover(Page);
  const Focused = await Page.evaluate(() => document.activeElement.id);
  Check(Covered && Focused === 'canvas', `"click or tap to play" waits over the picture; a click gives the game the keys (${Focused})`);
  await Context.close();
}

async function NoWebGl2(Browser, Server) {
  const Page = Watch(await Browser.newPage());
  await Page.setViewport({ width: 1366, height: 657 });
  const Asked = [];
  Page.on('request', Request => Asked.push(path.basename(new URL(Request.url()).pathname)));
  await Page.evaluateOnNewDocument(() => {
    const Real = HTMLCanvasElement.prototype.getContext;
    HTMLCanvasElement.prototype.getContext = function (Kind, ...Rest) {
      return Kind === 'webgl2' ? null : Real.call(this, Kind, ...Rest);
    };
  });
  await Page.goto(`http://127.0.0.1:${Server.address().port}/skyrend.html`);
  await Page.waitForSelector('#messages:not([hidden])', { timeout: 20000 });
  const Shown = await Page.evaluate(() => {
    const Box = document.getElementById('messages').getBoundingClientRect();
    return { InView: Box.top >= 0 && Box.bottom <= innerHeight && Box.height > 20, Text: document.getElementById('messages').textContent,
             Status: document.getElementById('status').textContent, Cover: document.getElementById('cover').hidden };
  });
  Check(Shown.InView && /WebGL 2/.test(Shown.Text) && /acceleration/.test(Shown.Text) && !/Click the picture/.test(Shown.Status) &&
        Shown.Cover && !Asked.includes('skyrend.wasm'),
        `without WebGL 2 a message in view says what to do, and nothing more loads (${JSON.stringify(Shown)})`);
  await Page.close();

  // Without scripts: the page says so in view, and promises no loading.
  const Plain = Watch(await Browser.newPage());
  await Plain.setViewport({ width: 1366, height: 657 });
  await Plain.setJavaScriptEnabled(false);
  await Plain.goto(`http://127.0.0.1:${Server.address().port}/skyrend.html`);
  const Said = await Plain.evaluate(() => {
    const Box = document.querySelector('.noscript').getBoundingClientRect();
    return { InView: Box.top >= 0 && Box.bottom <= innerHeight && Box.height > 20,
             Text: document.querySelector('.noscript').textContent, Cover: getComputedStyle(document.getElementById('cover')).display };
  });
  Check(Said.InView && /JavaScript/.test(Said.Text) && Said.Cover === 'none', `without scripts a message in view says so (${JSON.stringify(Said)})`);
  await Plain.close();
}

async function LostContext(Browser, Server) {
  const Page = Watch(await OpenPage(Browser, Server, { Width: 1024, Height: 700 }));
  const Lose = () => Page.evaluate(() => {
    window.TestLoser = document.getElementById('canvas').getContext('webgl2').getExtension('WEBGL_lose_context');
    window.TestLoser.loseContext();
  });
  await Page.keyboard.press('KeyZ');
  await Sleep(1500);
  await Page.keyboard.press('KeyP');
  await WaitFor(() => Page.title(), Title => Title === 'Skyrend (paused)');
  // The paused picture once it stands still (a busy machine may be a frame behind).
  let Before = await CanvasPixels(Page), Still = null;
  for (let Look = 0; Look < 10 && !(Still && SamePicture(Before, Still)); ++Look) {
    if (Still) Before = Still;
    await Sleep(300);
    Still = await CanvasPixels(Page);
  }
  await Lose();
  const Lost = await WaitFor(() => Status(Page), Line => /lost/.test(Line));
  await Page.evaluate(() => window.TestLoser.restoreContext());
  const Back = await WaitFor(() => Status(Page), Line => /^Paused/.test(Line));
  // The world drawn again as it stands may show a shot or a fragment one step
  // on; without the textures the floor and buildings change, over 2 % of the picture.
  let After = null;
  const Near = Image => Differing(Before, Image) < Before.width * Before.height * 0.003;
  await WaitFor(async () => Near((After = await CanvasPixels(Page))), Same => Same, 20000);
  Check(/lost/.test(Lost) && /^Paused/.test(Back) && Near(After),
        `a lost context comes back with the same picture: textures, shaders and state made again ` +
        `(${Differing(Before, After)} pixels differ; "${Lost}")`);
  await Page.keyboard.press('KeyP');
  await Sleep(1000);
  // A hit paints a frame red: a few looks find the sky between them.
  let Playing = null, Sky = null;
  for (let Look = 0; Look < 8 && !(Sky && Sky[2] >= 240 && Sky[0] <= 12); ++Look, await Sleep(250)) {
    Playing = await CanvasPixels(Page);
    Sky = Pixel(Playing, Math.floor(Playing.width / 2), 0);
  }
  Check(!SamePicture(After, Playing) && Sky[2] >= 240 && Sky[0] <= 12 && Page.Errors.length === 0,
        `the game goes on after it: the picture moves under the blue sky ${JSON.stringify(Sky)} ${JSON.stringify(Page.Errors)}`);

  // A browser that keeps the context: the player is told to reload.
  await Lose();
  const Message = await WaitFor(() => Page.$eval('#messages', Box => (Box.hidden ? '' : Box.textContent)), Text => Text !== '', 20000);
  Check(/Reload the page/.test(Message), `a context the browser keeps: "${Message}"`);
  await Page.close();
}

// The first visit leaves an offline copy: the next one plays with the server gone.
async function Offline(Browser) {
  const Server = await Serve(WebBuild);
  const Context = await Browser.createBrowserContext();
  const Page = Watch(await OpenPage(Context, Server, { Context }));
  const Controlled = await WaitFor(() => Page.evaluate(() => !!navigator.serviceWorker.controller), Yes => Yes, 20000);
  await new Promise(Resolve => {
    Server.close(Resolve);
    Server.closeAllConnections();
  });
  await Page.reload();
  const Line = await WaitFor(() => Status(Page).catch(() => ''), Text => /^Click the picture/.test(Text), 30000);
  await Uncover(Page);
  await Page.keyboard.press('KeyZ');
  await Sleep(1000);
  const Sky = Pixel(await CanvasPixels(Page), 10, 0);
  Check(Controlled && /^Click the picture/.test(Line) && Sky[2] >= 240,
        `a second visit with the server gone plays from the offline copy ("${Line}", sky ${Sky})`);
  await Context.close();
}

RunInBrowser(WebBuild, async (Browser, Server) => {
  await Fit(Browser, Server);
  await FullScreen(Browser, Server);
  await Loading(Browser, Server);
  await NoWebGl2(Browser, Server);
  await LostContext(Browser, Server);
  await Offline(Browser);
  Check(Outside.length === 0, `no request leaves the page's own folder ${JSON.stringify(Outside.slice(0, 5))}`);
  return Failed();
});
