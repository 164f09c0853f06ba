// The page as an app, as a player meets it: the picture fills the window
// below the header at the device's pixel ratio (up to 1920 x 1080) with no
// scrolling; full screen from F11, Alt+Enter and the button; a loading bar
// counting the .wasm and .data, then a cover that a click takes away; a
// message in view without WebGL 2; a lost WebGL context built again with the
// same picture, or a message to reload when the browser keeps it; only the
// game's keys taken, and only while the game has the focus; the pointer in
// sight until the game holds it; a manifest with its icons and an accessible
// canvas; a second visit that plays with the server gone, whatever its query;
// a new build checked for on every visit and played, never mixed; and no request
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
  for (const [Code, Modifiers] of [['F1'], ['F2'], ['F3'], ['F4'], ['F5'], ['F6'], ['F7'], ['F8'], ['F9'], ['F10'],
                                   ['F12'], ['Tab'], ['Backspace'], ['KeyR', { ctrlKey: true }],
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
    let Corner = null;
    for (const Icon of Manifest.icons) {
      const Image = await createImageBitmap(await (await fetch(Icon.src)).blob());
      Icons.push(`${Icon.sizes}=${Image.width}x${Image.height}${Icon.purpose === 'maskable' ? ' maskable' : ''}`);
      if (Icon.purpose !== 'maskable') continue;
      // A maskable icon is opaque to its corners, the emblem inside the central 80 %.
      const Canvas = new OffscreenCanvas(Image.width, Image.height), Context = Canvas.getContext('2d');
      Context.drawImage(Image, 0, 0);
      const Data = Context.getImageData(0, 0, Image.width, Image.height).data, Half = Image.width / 2;
      let Outside = 0;
      for (let y = 0; y < Image.height; ++y)
        for (let x = 0; x < Image.width; ++x) {
          const i = (y * Image.width + x) * 4;
          const Far = Math.hypot(x + 0.5 - Half, y + 0.5 - Half) > Half * 0.8;
          if (Far && Math.max(Data[i], Data[i + 1], Data[i + 2]) > 0x30) ++Outside;
        }
      Corner = { Alpha: Data[3], Outside };
    }
    return { Viewport: (document.querySelector('meta[name=viewport]') || {}).content, Label: Canvas.getAttribute('aria-label'),
             Description: Described ? Described.textContent.length : 0,
             Name: Manifest.name, Id: Manifest.id, Start: Manifest.start_url, Icons, Corner };
  });
  Check(/width=device-width/.test(About.Viewport) && About.Label && About.Description > 80 &&
        About.Name === 'Skyrend' && About.Id === 'skyrend.html' &&
        About.Icons.join() === '192x192=192x192,512x512=512x512,512x512=512x512 maskable' &&
        About.Corner.Alpha === 255 && About.Corner.Outside === 0,
        `viewport, labelled and described canvas, manifest with its id and icons, one maskable (${JSON.stringify(About)})`);

  // The key list names M, and opening it pauses the game.
  await Page.focus('#canvas');
  await Page.click('#keys summary');
  const Listed = await Page.$eval('#keys table', Table => Table.textContent);
  const Title = await WaitFor(() => Page.title(), T => T === 'Skyrend (paused)');
  await Page.click('#keys summary');
  await Page.keyboard.press('KeyP');
  Check(/\bM\s*sound off and on/.test(Listed) && Title === 'Skyrend (paused)',
        `the key list names M and pauses the game while open ("${Title}")`);

  // The canvas shows when it has the keyboard's focus.
  await Page.focus('#keys summary');
  await Page.keyboard.press('Tab');
  const Ring = await Page.$eval('#canvas', Canvas => [document.activeElement === Canvas, getComputedStyle(Canvas).outlineStyle,
                                                      getComputedStyle(Canvas).outlineWidth]);
  Check(Ring[0] && Ring[1] !== 'none' && parseFloat(Ring[2]) >= 2, `the focused canvas has a focus ring (${Ring})`);
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
  // Tab walks the page's controls: the cover stays and nothing pauses.
  await Page.keyboard.press('Tab');
  await Sleep(500);
  const Tabbed = await Page.evaluate(() => [document.getElementById('cover').hidden, document.title,
                                            document.activeElement.id || document.activeElement.tagName]);
  Check(!Tabbed[0] && Tabbed[1] === 'Skyrend' && Tabbed[2] !== 'canvas',
        `Tab on the cover moves the focus and neither plays nor pauses (${Tabbed})`);
  await Uncover(Page);
  const Focused = await Page.evaluate(() => document.activeElement.id);
  Check(Covered && Focused === 'canvas', `"click or tap to play" waits over the picture; a click gives the game the keys (${Focused})`);
  await Context.close();
}

// Every message fits in view down to a 320 x 480 screen.
const InView = Selector => Page => Page.evaluate(Selector => {
  const Element = document.querySelector(Selector), Box = Element.getBoundingClientRect();
  return Box.top >= 0 && Box.left >= 0 && Box.bottom <= innerHeight && Box.right <= innerWidth && Box.height > 20 &&
         Box.width >= Math.min(280, innerWidth * 0.8) && Element.scrollHeight <= Element.clientHeight + 1;
}, Selector);

async function NoWebGl2(Browser, Server) {
  for (const [Width, Height] of [[1366, 657], [320, 480]]) await NoWebGl2At(Browser, Server, Width, Height);
}

async function NoWebGl2At(Browser, Server, Width, Height) {
  const Context = await Browser.createBrowserContext();
  const Page = Watch(await Context.newPage());
  await Page.setViewport({ width: Width, height: Height });
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
  if (Width === 320) await Page.screenshot({ path: '/tmp/p33-nowebgl2-320x480.png' }).catch(() => {});
  const Fits = await InView('#messages')(Page);
  const Shown = await Page.evaluate(() => {
    return { Text: document.getElementById('messages').textContent,
             Status: document.getElementById('status').textContent, Cover: document.getElementById('cover').hidden };
  });
  Check(Fits && /WebGL 2/.test(Shown.Text) && /acceleration/.test(Shown.Text) && !/Click the picture/.test(Shown.Status) &&
        Shown.Cover && !Asked.includes('skyrend.wasm'),
        `${Width}x${Height}: without WebGL 2 a message in view says what to do, and nothing more loads (${Fits} ${JSON.stringify(Shown)})`);
  await Page.close();

  // Without scripts: the page says so in view, and promises no loading.
  const Plain = Watch(await Context.newPage());
  await Plain.setViewport({ width: Width, height: Height });
  await Plain.setJavaScriptEnabled(false);
  await Plain.goto(`http://127.0.0.1:${Server.address().port}/skyrend.html`);
  const Fitted = await InView('.noscript')(Plain);
  const Said = await Plain.evaluate(() => {
    return { Text: document.querySelector('.noscript').textContent, Cover: getComputedStyle(document.getElementById('cover')).display };
  });
  Check(Fitted && /JavaScript/.test(Said.Text) && Said.Cover === 'none',
        `${Width}x${Height}: without scripts a message in view says so (${JSON.stringify(Said)})`);
  await Context.close();
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
  const Port = Server.address().port;
  const Controlled = await WaitFor(() => Page.evaluate(() => !!navigator.serviceWorker.controller), Yes => Yes, 20000);
  await new Promise(Resolve => {
    Server.close(Resolve);
    Server.closeAllConnections();
  });
  // A link with a query (a campaign's tracking words) is the same page.
  await Page.goto(`http://127.0.0.1:${Port}/skyrend.html?utm_source=test&utm_medium=link`);
  const Line = await WaitFor(() => Status(Page).catch(() => ''), Text => /^Click the picture/.test(Text), 30000);
  await Uncover(Page);
  await Page.keyboard.press('KeyZ');
  await Sleep(1000);
  const Sky = Pixel(await CanvasPixels(Page), 10, 0);
  Check(Controlled && /^Click the picture/.test(Line) && Sky[2] >= 240,
        `a second visit with a query and the server gone plays from the offline copy ("${Line}", sky ${Sky})`);
  await Context.close();
}

// A new build on the same site, served as a host that lets browsers keep
// files an hour: the next visit asks for the new service worker at once, says
// the new version is ready, and the visit after it plays the new build from
// its own cache alone.
async function Update(Browser) {
  const os = require('os');
  const http = require('http');
  const { Handler } = require('../../../tools/serve/serve.js');
  const Folder = fs.mkdtempSync(path.join(os.tmpdir(), 'skyrend-update-'));
  try {
    for (const Name of fs.readdirSync(WebBuild))
      if (/^skyrend[.-]/.test(Name) && !/^skyrend-test/.test(Name) && fs.statSync(path.join(WebBuild, Name)).isFile())
        fs.copyFileSync(path.join(WebBuild, Name), path.join(Folder, Name));
    const Files = Handler(Folder), Asked = [];
    const Server = http.createServer((Request, Response) => {
      Asked.push([Date.now(), Request.url]);
      const WriteHead = Response.writeHead;
      Response.writeHead = function (Code, Headers) {
        return WriteHead.call(this, Code, Object.assign({}, Headers, { 'Cache-Control': 'max-age=3600' }));
      };
      Files(Request, Response);
    });
    await new Promise(Resolve => Server.listen(0, '127.0.0.1', Resolve));
    const Context = await Browser.createBrowserContext();
    const Page = Watch(await OpenPage(Context, Server, { Context, Cover: true }));
    await WaitFor(() => Page.evaluate(() => !!navigator.serviceWorker.controller), Yes => Yes, 20000);

    // The deploy: a page that says it is new, and a service worker of another version.
    const Write = (Name, Change) => {
      const File = path.join(Folder, Name);
      fs.writeFileSync(File, Change(fs.readFileSync(File, 'utf8')));
      for (const Suffix of ['.br', '.gz']) fs.rmSync(File + Suffix, { force: true });
    };
    Write('skyrend.html', Text => Text.replace('<title>Skyrend</title>', '<title>Skyrend</title><meta name="build" content="new">'));
    Write('skyrend-sw.js', Text => Text.replace(/const Version = '([0-9a-f]+)'/, "const Version = 'new$1'"));
    const Deployed = Date.now();
    await Page.reload();
    const Notice = await WaitFor(() => Page.$eval('#notice', Box => (Box.hidden ? '' : Box.textContent)), Text => Text !== '', 30000);
    const Said = Date.now();
    const Built = () => Page.$eval('meta[name=build]', Meta => Meta.content).catch(() => 'old');
    const Second = await Built();
    const Checked = Asked.find(([When, Url]) => When >= Deployed && /skyrend-sw\.js/.test(Url));
    // The new worker takes over once the old page has its files; the next visit is the new build.
    await WaitFor(() => Page.evaluate(async () => (await caches.keys()).join()), Names => /^skyrend-new/.test(Names) && !/,/.test(Names));
    await Page.reload();
    await Page.waitForFunction("/^Click the picture/.test(document.getElementById('status').textContent)", { timeout: 60000 });
    const Third = await Built();
    const Caches = await Page.evaluate(async () => (await caches.keys()).join());
    const Saw = `reload ${Second} build, sw.js asked ${Checked ? Checked[0] - Deployed : 'never'} ms after the deploy, ` +
                `"${Notice}" after ${Said - Deployed} ms; next load ${Third} build, caches ${Caches}`;
    console.log('update: ' + Saw);
    Check(Checked && Notice && Third === 'new' && /^skyrend-new[0-9a-f]+$/.test(Caches) && Page.Errors.length === 0,
          `a new build is checked for at once, said to be ready, and played on the next load (${Saw})`);
    await Context.close();
    Server.close();
  } finally {
    fs.rmSync(Folder, { recursive: true, force: true });
  }
}

RunInBrowser(WebBuild, async (Browser, Server) => {
  await Fit(Browser, Server);
  await FullScreen(Browser, Server);
  await Loading(Browser, Server);
  await NoWebGl2(Browser, Server);
  await LostContext(Browser, Server);
  await Offline(Browser);
  await Update(Browser);
  Check(Outside.length === 0, `no request leaves the page's own folder ${JSON.stringify(Outside.slice(0, 5))}`);
  return Failed();
});
