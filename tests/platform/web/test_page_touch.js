// The touch controls on a phone-sized touch screen (390 x 844): a drag up on
// the stick speeds the player up and a drag to the left turns it left; a tap
// on the fire button starts a game and fires (the shot is heard); the pause
// button pauses and plays on. The controls are shown on touch screens only,
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
