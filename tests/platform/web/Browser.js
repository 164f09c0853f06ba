// Shared by the browser tests: serves the built page over local HTTP, starts
// the system's Chromium headless through puppeteer-core, and collects what
// the page says on its console. The player's page loads skyrend.js; the tests
// that need entry points open the same page with the test module
// skyrend-test.js in its place (the player's build carries none).
'use strict';
const http = require('http');
const fs = require('fs');
const path = require('path');
const puppeteer = require('puppeteer-core');

const Root = path.resolve(__dirname, '../../..');
const { Handler } = require(path.join(Root, 'tools/serve/serve.js'));

// Serves the files of Folder on 127.0.0.1 at a free port, as tools/serve
// serves them (compressed copies, types, ETags); resolves to the server.
// module.html?module=NAME is the page loading NAME's files instead of the
// player's skyrend.*, sent uncompressed: a name of its own, which the page's
// offline copy does not answer for.
function Serve(Folder) {
  const Files = Handler(Folder);
  const Server = http.createServer((Request, Response) => {
    const Url = new URL(Request.url, 'http://x');
    const Module = Url.searchParams.get('module');
    if (path.basename(Url.pathname) !== 'module.html' || !Module) return Files(Request, Response);
    const Page = fs.readFileSync(path.join(Folder, 'skyrend.html'), 'utf8');
    const Swapped = Page.replace('data-program="skyrend"', `data-program="${path.basename(Module)}"`);
    if (Swapped === Page) throw new Error('skyrend.html no longer names its program in data-program');
    Response.writeHead(200, { 'Content-Type': 'text/html; charset=utf-8', 'Cache-Control': 'no-store' });
    Response.end(Swapped);
  });
  return new Promise(Resolve => Server.listen(0, '127.0.0.1', () => Resolve(Server)));
}

function ChromiumPath() {
  return process.env.SKYREND_CHROMIUM || '/usr/bin/chromium';
}

async function Launch() {
  return puppeteer.launch({
    executablePath: ChromiumPath(),
    headless: 'new',
    protocolTimeout: 600000,
    // Nothing reaches outside this machine: no background requests, sync,
    // component updates, first-run tasks or default apps.
    args: ['--no-sandbox', '--enable-unsafe-swiftshader', '--use-angle=swiftshader',
           '--autoplay-policy=no-user-gesture-required', '--window-size=1100,1000',
           '--disable-background-networking', '--disable-sync', '--disable-component-update', '--no-first-run',
           '--disable-default-apps', '--disable-domain-reliability', '--disable-client-side-phishing-detection',
           '--disable-features=Translate,OptimizationHints,MediaRouter,CertificateTransparencyComponentUpdater',
           '--metrics-recording-only', '--no-pings', '--disable-breakpad'],
  });
}

// Opens the page with Module ('skyrend', the player's, or 'skyrend-test') and
// waits until it is up: the player's page when its shell has written the
// status line, the test module when its runtime is ready; then clicks the
// cover away as a player does (unless Cover is kept). Before, when given (a
// function or a list of them), runs in the page before any of its scripts
// (instruments for the test); Media, when given, is the browser's media
// features (reduced motion...).
// Console lines are collected in Page.Lines, errors in Page.Errors.
async function OpenPage(Browser, Server, { Module = 'skyrend', Before = null, Width = 1100, Height = 1000,
                                          Scale = 1, Cover = false, Touch = false, Context = Browser, Media = null } = {}) {
  const Page = await Context.newPage();
  if (Media) await Page.emulateMediaFeatures(Media);
  await Page.setViewport({ width: Width, height: Height, deviceScaleFactor: Scale, hasTouch: Touch, isMobile: Touch });
  Page.Lines = [];
  Page.Errors = [];
  Page.on('console', Message => {
    Page.Lines.push(Message.type() + ': ' + Message.text());
    if (Message.type() === 'error') Page.Errors.push(Message.text());
  });
  Page.on('pageerror', Error => Page.Errors.push(String(Error)));
  Page.on('requestfailed', Request => Page.Errors.push('request failed: ' + Request.url()));
  for (const Instrument of [].concat(Before || [])) await Page.evaluateOnNewDocument(Instrument);
  const Port = Server.address().port;
  const Name = Module === 'skyrend' ? 'skyrend.html' : `module.html?module=${Module}`;
  await Page.goto(`http://127.0.0.1:${Port}/${Name}`);
  const Ready = Module === 'skyrend' ? "/^(Click the picture|Stick: )/.test(document.getElementById('status').textContent)"
                                     : 'window.Module && Module.calledRun === true';
  await Page.waitForFunction(Ready, { timeout: 120000 });
  if (!Cover) await Uncover(Page);
  return Page;
}

// Clicks (or taps) the cover that says the game is ready, and waits for it to go.
async function Uncover(Page) {
  await Page.waitForSelector('#cover.ready', { timeout: 60000 });
  const Box = await (await Page.$('#play')).boundingBox();
  const X = Box.x + Box.width / 2, Y = Box.y + Box.height / 2;
  if (Page.viewport().hasTouch) await Page.touchscreen.tap(X, Y);
  else await Page.mouse.click(X, Y);
  await Page.waitForFunction("document.getElementById('cover').hidden", { timeout: 10000 });
}

// The canvas's picture as the page shows it: a PNG screenshot decoded to RGBA.
async function CanvasPixels(Page) {
  const { PNG } = require('pngjs');
  const Canvas = await Page.$('#canvas');
  const Shot = await Canvas.screenshot({ type: 'png' });
  return PNG.sync.read(Buffer.from(Shot));
}

const Sleep = Ms => new Promise(Resolve => setTimeout(Resolve, Ms));

// Polls Read until Wanted(value) or the time is up; returns the last value.
// The time is generous: a wait that is met returns at once, and a busy
// machine may take seconds to get there.
async function WaitFor(Read, Wanted, Ms = 20000) {
  const End = Date.now() + Ms;
  let Value = await Read();
  while (!Wanted(Value) && Date.now() < End) {
    await Sleep(100);
    Value = await Read();
  }
  return Value;
}

// One check's outcome, printed; Failed() tells whether any check failed.
let Failures = 0;
function Check(Ok, What) {
  console.log(`${Ok ? 'ok' : 'FAIL'}: ${What}`);
  if (!Ok) ++Failures;
}
const Failed = () => Failures > 0;

// Serves Folder, launches Chromium, runs Body(Browser, Server) and ends the
// process: exit code 1 when Body returns true (something failed) or throws.
function RunInBrowser(Folder, Body) {
  (async () => {
    const Server = await Serve(Folder);
    const Browser = await Launch();
    let Failed = true;
    try {
      Failed = await Body(Browser, Server);
    } finally {
      await Browser.close();
      Server.close();
    }
    process.exit(Failed ? 1 : 0);
  })().catch(Error => {
    console.error(Error);
    process.exit(1);
  });
}

module.exports = { Serve, Launch, OpenPage, Uncover, CanvasPixels, RunInBrowser, Sleep, WaitFor, Check, Failed };
