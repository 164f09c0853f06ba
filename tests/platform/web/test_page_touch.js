// The touch controls on a phone-sized touch screen (390 x 844): a drag up on
// the stick speeds the player up and a drag to the left turns it left; a tap
// on the fire button starts a game and fires (the shot is heard); the pause
// button pauses and plays on, and while paused taps set the options and play
// on. The controls are shown on touch screens only,
// and hidden while a gamepad is connected. Touches come through the browser's
// own touch input (DevTools' Input.dispatchTouchEvent); the game's state is
// read from the page's shell inside the test module.
// usage: node test_page_touch.js WEB_BUILD
'use strict';
const { OpenPage, RunInBrowser, Sleep, WaitFor, Check, Failed } = require('./Browser');
const { InstrumentAudio, SoundStarts } = require('./PageProbes');

const [WebBuild] = process.argv.slice(2);

async function Caption(Page) {
  const Text = await Page.evaluate(() => Module.ccall('SkyrendShellCaption', 'string', [], []));
  const Number_ = Name => Number((Text.match(new RegExp(Name + '=(-?[\\d.]+)')) || [])[1]);
  return { Heading: Number_('Ang'), X: Number_('X'), Z: Number_('Z') };
}

const Shown = Page => Page.$eval('#touch', Box => !Box.hidden && getComputedStyle(Box).display !== 'none');

async function Centre(Page, Selector) {
  const Box = await (await Page.$(Selector)).boundingBox();
  return { x: Box.x + Box.width / 2, y: Box.y + Box.height / 2 };
}

// One finger: down at From, moved to To in Steps, held for HoldMs, lifted.
async function Drag(Cdp, From, To, HoldMs, Steps = 6) {
  const Point = P => [{ x: P.x, y: P.y, id: 1, radiusX: 4, radiusY: 4, force: 1 }];
  await Cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: Point(From) });
  for (let i = 1; i <= Steps; ++i) {
    const At = { x: From.x + (To.x - From.x) * i / Steps, y: From.y + (To.y - From.y) * i / Steps };
    await Cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: Point(At) });
    await Sleep(16);
  }
  await Sleep(HoldMs);
  await Cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
}

const Tap = (Cdp, At) => Drag(Cdp, At, At, 30, 1);

// Where a part of the pause screen lies on the page (see SkyrendShellPausePoint).
async function PausePoint(Page, Part, Row) {
  const Packed = await Page.evaluate((P, R) => Module.ccall('SkyrendShellPausePoint', 'number', ['number', 'number'], [P, R]), Part, Row);
  const Box = await (await Page.$('#canvas')).boundingBox();
  const Size = await Page.$eval('#canvas', Canvas => [Canvas.width, Canvas.height]);
  return { x: Box.x + Math.floor(Packed / 65536) * Box.width / Size[0], y: Box.y + (Packed % 65536) * Box.height / Size[1] };
}

async function Distance(Page, Ms) {
  const A = await Caption(Page);
  await Sleep(Ms);
  const B = await Caption(Page);
  return Math.hypot(B.X - A.X, B.Z - A.Z);
}

RunInBrowser(WebBuild, async (Browser, Server) => {
  const Desktop = await OpenPage(Browser, Server);
  Check(!(await Shown(Desktop)), 'no touch controls on a screen without touch');
  await Desktop.close();

  const Page = await OpenPage(Browser, Server, { Module: 'skyrend-test', Width: 390, Height: 844, Touch: true,
                                                 Before: InstrumentAudio });
  const Cdp = await Page.target().createCDPSession();
  await Cdp.send('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 5 });
  await Page.evaluate(() => Module.ccall('SkyrendStartShell', 'number', [], []));
  await Sleep(1500);
  Check(await Shown(Page), 'the touch controls show on a touch screen');

  // The fire button is joystick 1's first button: on the title it starts a game
  // once the title has shown for 100 frames, then it fires.
  const Frame = () => Page.evaluate(() => Module.ccall('SkyrendShellFrame', 'number', [], []));
  await WaitFor(Frame, Count => Count > 110, 30000);
  const Fire = await Centre(Page, '#fire');
  await Tap(Cdp, Fire);
  await Sleep(300);
  const Sounds = await SoundStarts(Page);
  await Tap(Cdp, Fire);
  await Sleep(400);
  const Shots = (await SoundStarts(Page)) - Sounds;
  Check(Shots > 0, `a tap on fire starts a game and fires (${Shots} sounds started)`);

  // Speed first, heading along the open floor ahead (an obstacle in the way would stop the craft).
  const Stick = await Centre(Page, '#stick');
  const Slow = await Distance(Page, 500);
  await Drag(Cdp, Stick, { x: Stick.x, y: Stick.y - 60 }, 500);
  const Fast = await Distance(Page, 500);
  Check(Fast > Slow + 50, `a drag up on the stick speeds up (${Slow.toFixed(1)} then ${Fast.toFixed(1)} in 0.5 s)`);

  const Before = await Caption(Page);
  await Drag(Cdp, Stick, { x: Stick.x - 60, y: Stick.y }, 700);
  await Sleep(200);
  const After = await Caption(Page);
  Check(After.Heading < Before.Heading - 4, `a drag to the left on the stick turns the player left (${Before.Heading} to ${After.Heading})`);

  await Tap(Cdp, await Centre(Page, '#pause'));
  const Paused = await WaitFor(() => Page.title(), Title => Title === 'Skyrend (paused)');
  await Tap(Cdp, await Centre(Page, '#pause'));
  const Playing = await WaitFor(() => Page.title(), Title => Title === 'Skyrend');
  Check(Paused === 'Skyrend (paused)' && Playing === 'Skyrend', `the pause button pauses and plays on ("${Paused}", "${Playing}")`);

  // Paused, the stick and FIRE step aside and taps on the pause screen set the
  // options: the volume down a step, reduced flashing on; then a tap plays on.
  await Tap(Cdp, await Centre(Page, '#pause'));
  await WaitFor(() => Page.title(), Title => Title === 'Skyrend (paused)');
  const Hidden = await Page.evaluate(() => ['stick-zone', 'fire'].every(Id =>
    getComputedStyle(document.getElementById(Id)).display === 'none'));
  Check(Hidden, 'paused, the stick and FIRE leave the pause screen free');
  const Line = await Page.$eval('#status', Element => Element.textContent);
  Check(/tap a setting/.test(Line), `paused, the status line says a tap changes a setting ("${Line}")`);
  const Settings = () => Page.evaluate(() => Module.ccall('SkyrendShellSettings', 'string', [], []));
  const Before_ = await Settings();
  await Tap(Cdp, await PausePoint(Page, 1, 0));
  await Tap(Cdp, await PausePoint(Page, 2, 4));
  await WaitFor(Settings, Text => Text !== Before_);
  await Sleep(200);
  const Changed = await Settings();
  const Volume = Text => Number(Text.match(/volume=(\d+)/)[1]);
  Check(Volume(Changed) === Volume(Before_) - 10 && /reduce_flashing=1/.test(Changed),
        `taps step the volume down and turn reduced flashing on ("${Before_}" to "${Changed}")`);
  await Tap(Cdp, await PausePoint(Page, 3, 0));
  const OnAgain = await WaitFor(() => Page.title(), Title => Title === 'Skyrend');
  Check(OnAgain === 'Skyrend', `a tap on the play-on button plays on ("${OnAgain}")`);

  // A gamepad connects: its stick rules, the touch controls step aside.
  await Page.evaluate(() => {
    const Pad = { id: 'test pad', index: 0, connected: true, mapping: 'standard', timestamp: 1, axes: [0, 0, 0, 0],
                  buttons: Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 })) };
    navigator.getGamepads = () => [Pad];
    window.dispatchEvent(new Event('gamepadconnected'));
  });
  Check(!(await Shown(Page)), 'the touch controls hide while a gamepad is connected');
  Check(Page.Errors.length === 0, 'no console errors ' + JSON.stringify(Page.Errors));
  return Failed();
});
