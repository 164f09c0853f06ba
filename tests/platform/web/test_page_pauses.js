// The player's page pauses on P, on Escape, when the window loses the focus,
// when the tab is hidden and when the pointer lock is lost. While paused the
// title and the status line say so, the audio context is suspended, the
// pointer is free, the last picture stays still under the pause sign (drawn
// again when the canvas changes size), the arrows walk the options on it, and
// P plays on: the page never ends the game; a click or key while paused
// does not start the audio again. Last, the page's shell inside the
// test module shows that the game's frames and caption stand still while paused.
// usage: node test_page_pauses.js WEB_BUILD
'use strict';
const { OpenPage, Uncover, CanvasPixels, RunInBrowser, Sleep, WaitFor, Check, Failed } = require('./Browser');
const { InstrumentAudio, AudioState, SoundStarts, Pixel, SignPixels, SignFloor, SamePicture } = require('./PageProbes');

const [WebBuild] = process.argv.slice(2);
// The tab's title while paused.
const PausedTitle = T => T === 'Skyrend (paused)';
// The game frames of the last second the page shows on the canvas.
const FrameRate = Page => Page.$eval('#canvas', Canvas => Number(Canvas.dataset.fps || 0));

const Status = Page => Page.$eval('#status', Element => Element.textContent);

// Mean brightness of a strip down the whole left edge, where no words of the
// pause screen fall: a mean over the full height hardly moves while the craft
// flies on between the picture before the pause and the frozen one.
function LeftStrip(Image) {
  let Sum = 0, Count = 0;
  for (let y = 0; y < Image.height; ++y)
    for (let x = 0; x < Math.floor(Image.width * 0.03); ++x, ++Count)
      Sum += Pixel(Image, x, y).reduce((A, B) => A + B, 0);
  return Sum / Count;
}

async function ExpectPaused(Page, Cause, Before) {
  const Title = await WaitFor(() => Page.title(), PausedTitle);
  const Line = await Status(Page);
  Check(PausedTitle(Title) && /^Paused/.test(Line), `${Cause} pauses: the title and status line say so ("${Line}")`);
  const Audio = await WaitFor(() => AudioState(Page), S => S === 'suspended');
  Check(Audio === 'suspended', `${Cause}: the audio context is suspended (${Audio})`);
  const Free = await Page.evaluate(() => document.pointerLockElement === null);
  Check(Free, `${Cause}: the pointer is free`);
  const First = await CanvasPixels(Page);
  await Sleep(1000);
  const Second = await CanvasPixels(Page);
  const Sign = SignPixels(Second);
  Check(SamePicture(First, Second), `${Cause}: the picture stands still`);
  // The pause screen darkens the picture to 0.38 of its brightness.
  const Dark = LeftStrip(Second), Lit = LeftStrip(Before);
  Check(Sign > SignFloor(Second) && Dark <= Lit * 0.7 + 8,
        `${Cause}: the pause sign shows over a darkened picture (${Sign} sign pixels, edge ${Dark.toFixed(0)} from ${Lit.toFixed(0)})`);
  return Sign;
}

async function ExpectPlaysOn(Page, Cause, PausedSign) {
  await Page.keyboard.press('KeyP');
  const Fps = await WaitFor(() => FrameRate(Page), F => F > 0);
  const Title = await Page.title();
  const Line = await Status(Page);
  Check(Fps > 0 && Title === 'Skyrend' && /^Click the picture/.test(Line),
        `after ${Cause}, P plays on: frames are counted again (${Fps} a second, "${Title}", "${Line}")`);
  const Audio = await WaitFor(() => AudioState(Page), S => S === 'running');
  Check(Audio === 'running', `after ${Cause}, the audio context runs again (${Audio})`);
  const Sign = SignPixels(await CanvasPixels(Page));
  Check(Sign < PausedSign / 2, `after ${Cause}, the sign is gone (${Sign} sign pixels)`);
}

// Pauses by Cause's Act, checks the pause, and plays on.
async function PauseAndPlayOn(Page, Cause, Act, AfterAct = async () => {}) {
  const Before = await CanvasPixels(Page);
  await Act();
  await AfterAct();
  const Sign = await ExpectPaused(Page, Cause, Before);
  await ExpectPlaysOn(Page, Cause, Sign);
}

async function RealPage(Browser, Server) {
  const Page = await OpenPage(Browser, Server, { Before: InstrumentAudio });
  await Sleep(1500);
  await Page.keyboard.press('KeyZ');
  await Sleep(1000);

  await PauseAndPlayOn(Page, 'P', () => Page.keyboard.press('KeyP'));
  await PauseAndPlayOn(Page, 'Escape', async () => {
    await Page.keyboard.down('Escape');
    await Sleep(300);
    await Page.keyboard.up('Escape');
  });

  // The window loses the focus to a frame inside it; the page takes it back before P.
  await PauseAndPlayOn(Page, 'a blur of the window', () => Page.evaluate(() => {
    const Frame = document.createElement('iframe');
    Frame.id = 'elsewhere';
    document.body.appendChild(Frame);
    Frame.contentWindow.focus();
  }), async () => {
    await WaitFor(() => Page.title(), PausedTitle);
    await Page.evaluate(() => document.getElementById('elsewhere').remove());
    await Page.focus('#canvas');
  });

  // Another tab in front: the page is paused while hidden, with no display
  // frames to begin the pause, and shows the sign when it is back.
  await PauseAndPlayOn(Page, 'a hidden tab', async () => {
    const Other = await Browser.newPage();
    await Other.bringToFront();
    const Hidden = await Page.evaluate(() => document.visibilityState);
    const Title = await WaitFor(() => Page.title(), PausedTitle);
    const Audio = await WaitFor(() => AudioState(Page), S => S === 'suspended');
    Check(Hidden === 'hidden' && PausedTitle(Title) && Audio === 'suspended',
          `while the tab is hidden the game is paused and silent (${Hidden}, "${Title}", ${Audio})`);
    await Other.close();
    await Page.bringToFront();
  });

  // The pointer lock goes (as when the browser takes Escape); P takes the pointer again.
  const Box = await (await Page.$('#canvas')).boundingBox();
  await Page.mouse.click(Box.x + 100, Box.y + 100);
  await WaitFor(() => Page.evaluate(() => document.pointerLockElement !== null), Locked => Locked);
  await PauseAndPlayOn(Page, 'the pointer lock lost', () => Page.evaluate(() => document.exitPointerLock()));
  const Retaken = await WaitFor(() => Page.evaluate(() => document.pointerLockElement !== null), Locked => Locked);
  Check(Retaken, 'P takes the pointer again after the lock was lost');

  // While paused the arrows walk the options: the chosen line moves, the picture under it stays.
  await Page.keyboard.press('KeyP');
  await WaitFor(() => Page.title(), PausedTitle);
  await Sleep(300);
  const Listed = await CanvasPixels(Page);
  await Page.keyboard.press('ArrowDown');
  const Moved = await WaitFor(() => CanvasPixels(Page), Shown => !SamePicture(Shown, Listed));
  Check(!SamePicture(Moved, Listed) && SignPixels(Moved) > SignFloor(Moved),
        'Down while paused chooses the next option on the pause screen');

  // A canvas of another size while paused is cleared: the sign is drawn again.
  await Page.evaluate(() => Object.assign(document.getElementById('canvas'), { width: 640, height: 360 }));
  const Image = await WaitFor(() => CanvasPixels(Page), Shown => SignPixels(Shown) > SignFloor(Shown));
  const Sign = SignPixels(Image);
  Check(Sign > SignFloor(Image), `the sign is drawn again on a canvas of a new size (${Sign} sign pixels)`);
  Check(Page.Errors.length === 0, 'no console errors ' + JSON.stringify(Page.Errors));
  await Page.close();
}

// Paused before the player's first key or click (the window lost the focus):
// the browser's audio runtime resumes the page's audio on the first key,
// click or touch, but the paused game stays silent until P.
async function ClickedWhilePaused(Browser, Server) {
  const Page = await OpenPage(Browser, Server, { Before: InstrumentAudio, Cover: true });
  await Sleep(1500);
  await Page.evaluate(() => {
    const Frame = document.createElement('iframe');
    document.body.appendChild(Frame);
    Frame.contentWindow.focus();
  });
  await WaitFor(() => Page.title(), PausedTitle);
  await WaitFor(() => AudioState(Page), S => S === 'suspended');
  const Sounds = await SoundStarts(Page);
  await Uncover(Page);  // the first click
  await Page.keyboard.press('KeyX');
  await Sleep(700);
  const Audio = await AudioState(Page);
  const Heard = (await SoundStarts(Page)) - Sounds;
  Check(Audio === 'suspended' && Heard === 0,
        `a click and a key while paused leave the audio suspended (${Audio}, ${Heard} buffers of sound)`);
  await Page.keyboard.press('KeyP');
  const Playing = await WaitFor(() => AudioState(Page), S => S === 'running');
  Check(Playing === 'running', `P plays on and the audio runs again (${Playing})`);
  await Page.close();
}

// The same shell in the test module, where the game's own state can be read.
async function GameState(Browser, Server) {
  const Page = await OpenPage(Browser, Server, { Module: 'skyrend-test' });
  await Page.evaluate(() => Module.ccall('SkyrendStartShell', 'number', [], []));
  const State = () => Page.evaluate(() => [Module.ccall('SkyrendShellFrame', 'number', [], []),
                                           Module.ccall('SkyrendShellCaption', 'string', [], [])]);
  await Sleep(1500);
  await Page.keyboard.press('KeyZ');
  await Page.keyboard.down('ArrowLeft');  // held through the pause: the caption would move with any frame
  await Sleep(500);
  await Page.keyboard.press('Escape');
  await WaitFor(() => Page.title(), PausedTitle);
  const [Frame, Caption] = await State();
  await Sleep(1000);
  const [FrameLater, CaptionLater] = await State();
  Check(Frame > 1 && FrameLater === Frame && CaptionLater === Caption,
        `while paused the game steps no frame (frame ${Frame} then ${FrameLater}; caption ${CaptionLater === Caption ? 'unchanged' : 'moved'})`);
  await Page.keyboard.up('ArrowLeft');
  await Page.keyboard.press('KeyP');
  await Sleep(1000);
  const [FramePlaying] = await State();
  Check(FramePlaying > FrameLater, `after P the game steps again (frame ${FrameLater} to ${FramePlaying})`);
  await Page.close();
}

RunInBrowser(WebBuild, async (Browser, Server) => {
  await RealPage(Browser, Server);
  await ClickedWhilePaused(Browser, Server);
  await GameState(Browser, Server);
  return Failed();
});
