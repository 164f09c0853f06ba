// The mouse and the gamepad in the page: a click takes the pointer, and
// sideways motion under pointer lock turns the player by as many degrees as
// pixels moved; the first gamepad's stick turns like joystick 1. The heading
// is the game's own state, which the player's build does not show: so the
// page's shell runs here inside the test module, started as the player's
// page starts it, and reads out through the module's probes.
// usage: node test_mouse_and_pad.js WEB_BUILD
'use strict';
const { OpenPage, RunInBrowser, Sleep, WaitFor, Check, Failed } = require('./Browser');

const [WebBuild] = process.argv.slice(2);

async function Heading(Page) {
  const Caption = await Page.evaluate(() => Module.ccall('SkyrendShellCaption', 'string', [], []));
  return Number((Caption.match(/Ang=(-?[\d.]+)/) || [])[1]);
}

// The page's shell on the test module, with Before run ahead of the page's scripts.
async function OpenShell(Browser, Server, Before = null) {
  const Page = await OpenPage(Browser, Server, { Module: 'skyrend-test', Before });
  const Started = await Page.evaluate(() => Module.ccall('SkyrendStartShell', 'number', [], []));
  if (Started !== 1) throw new Error('the page shell did not start\n' + Page.Lines.join('\n'));
  return Page;
}

async function StartPlay(Page) {
  await Sleep(1500);
  await Page.keyboard.down('KeyZ');
  await Sleep(300);
  await Page.keyboard.up('KeyZ');
  await Sleep(300);
}

RunInBrowser(WebBuild, async (Browser, Server) => {
  const Page = await OpenShell(Browser, Server);
  await StartPlay(Page);
  const Box = await (await Page.$('#canvas')).boundingBox();
  await Page.mouse.click(Box.x + 100, Box.y + 100);
  await Sleep(500);
  const Locked = await Page.evaluate(() => document.pointerLockElement === document.getElementById('canvas'));
  Check(Locked, 'a click on the picture takes the pointer');
  const Before = await Heading(Page);
  for (let i = 1; i <= 10; ++i) {
    await Page.mouse.move(Box.x + 100 + i * 15, Box.y + 100);
    await Sleep(30);
  }
  await Sleep(500);
  const After = await Heading(Page);
  Check(Math.abs(After - Before - 150) < 0.01, `150 pixels to the right turn the player 150 degrees (${Before} to ${After})`);
  Check(Page.Errors.length === 0, 'no console errors ' + JSON.stringify(Page.Errors));

  // A pad at the input's edge: the browser reports one pad with the stick held left.
  const Pad = await OpenShell(Browser, Server, () => {
    const Stick = { id: 'test pad', index: 0, connected: true, mapping: 'standard', timestamp: 1,
                    axes: [0, 0], buttons: Array.from({ length: 12 }, () => ({ pressed: false, value: 0 })) };
    window.TestPad = Stick;
    navigator.getGamepads = () => [Stick];
  });
  await StartPlay(Pad);
  const PadBefore = await Heading(Pad);
  await Pad.evaluate(() => { window.TestPad.axes[0] = -1; window.TestPad.timestamp++; });
  // Held until the game has stepped a good many frames (a busy machine draws fewer a second).
  await WaitFor(() => Heading(Pad), Heading => Heading < PadBefore - 10, 20000);
  await Pad.evaluate(() => { window.TestPad.axes[0] = 0; window.TestPad.timestamp++; });
  await Sleep(200);
  const PadAfter = await Heading(Pad);
  Check(PadAfter < PadBefore - 4, `the pad's stick held left turns the player left (${PadBefore} to ${PadAfter})`);
  return Failed();
});
