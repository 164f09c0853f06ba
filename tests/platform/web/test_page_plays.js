// The page as a player meets it: it loads without console errors and shows
// the title; Z starts play with the sky of the first colour scheme along the
// top edge and the shot heard; frames are held to 60 a second; Escape ends
// the game. Then the GL subset and the sound service are checked on this
// browser's WebGL and OpenAL. usage: node test_page_plays.js WEB_BUILD
'use strict';
const { Serve, Launch, OpenGame, CanvasPixels } = require('./Browser');

const [WebBuild] = process.argv.slice(2);
const Sleep = Ms => new Promise(Resolve => setTimeout(Resolve, Ms));
let Failures = 0;
function Check(Ok, What) {
  console.log(`${Ok ? 'ok' : 'FAIL'}: ${What}`);
  if (!Ok) ++Failures;
}

function Pixel(Image, X, Y) {
  const i = (Y * Image.width + X) * 4;
  return [Image.data[i], Image.data[i + 1], Image.data[i + 2]];
}

// Columns across the top row, clear of the score digits below it.
function TopRow(Image) {
  const Row = [];
  for (let k = 1; k < 16; ++k) Row.push(Pixel(Image, Math.floor(Image.width * k / 16), 0));
  return Row;
}

async function Main() {
  const Server = await Serve(WebBuild);
  const Browser = await Launch();
  try {
    const Page = await OpenGame(Browser, Server, '');
    await Sleep(2500);
    Check(Page.Errors.length === 0, 'the page loads without console errors ' + JSON.stringify(Page.Errors));

    // The title: a black backdrop with the orange and red lettering across the middle.
    const Title = await CanvasPixels(Page);
    Check(TopRow(Title).every(([R, G, B]) => R + G + B < 30), 'the title has a black top edge');
    let Lettering = 0;
    for (let x = 0; x < Title.width; x += 4) {
      const [R, G, B] = Pixel(Title, x, Math.floor(Title.height / 2));
      if (R > 120 && R > B + 60) ++Lettering;
    }
    Check(Lettering > Title.width / 4 / 4, `the title lettering shows across the middle (${Lettering} samples)`);

    const SoundsBefore = await Page.evaluate(() => Module._SkyrendSoundsStarted());
    await Page.keyboard.press('KeyZ');
    await Sleep(1500);
    const Play = await CanvasPixels(Page);
    const Sky = TopRow(Play);
    Check(Sky.every(([R, G, B]) => R <= 12 && G <= 12 && B >= 240),
          'Z starts play: the top edge is the blue sky of scheme 0 ' + JSON.stringify(Sky.slice(0, 3)));
    const SoundsAfter = await Page.evaluate(() => Module._SkyrendSoundsStarted());
    Check(SoundsAfter > SoundsBefore, `the shot is played through OpenAL (${SoundsAfter - SoundsBefore} sounds started)`);

    // Turning with the arrow key held moves the view: the picture changes.
    await Page.keyboard.down('ArrowLeft');
    await Sleep(700);
    await Page.keyboard.up('ArrowLeft');
    const Turned = await CanvasPixels(Page);
    let Changed = 0;
    for (let i = 0; i < Turned.data.length; i += 4 * 97) if (Turned.data[i] !== Play.data[i]) ++Changed;
    Check(Changed > 50, `the held Left arrow turns the view (${Changed} sampled pixels changed)`);

    // The frames-per-second title: one game frame per display frame, at most 60 a second.
    await Sleep(2200);
    const Fps = Number(((await Page.title()).match(/\[(\d+) FPS\]/) || [])[1]);
    Check(Fps > 0 && Fps <= 61, `the window title counts at most 60 frames a second (${Fps})`);

    // Held for a while, as a player's press is: the shell looks at it after a frame.
    await Page.keyboard.down('Escape');
    await Sleep(400);
    await Page.keyboard.up('Escape');
    await Sleep(200);
    const Status = await Page.$eval('#status', Element => Element.textContent);
    Check(/ended/.test(Status), `Escape ends the game ("${Status}")`);
    Check(Page.Errors.length === 0, 'no console errors during play ' + JSON.stringify(Page.Errors));

    // Our OpenGL subset on this browser's WebGL 2: lists, matrices, depth writes, wide lines, errors.
    const Gl = await Browser.newPage();
    await Gl.goto(Page.url().replace(/\?.*$/, '') + '?test');
    await Gl.waitForFunction('window.SkyrendReady === true', { timeout: 120000 });
    const GlResult = await Gl.evaluate(() => Module.ccall('SkyrendGlChecks', 'string', [], []));
    Check(GlResult === '', `the GL subset on WebGL 2 ${GlResult ? 'fails: ' + GlResult : 'passes its checks'}`);
    const SoundResult = await Gl.evaluate(() => Module.ccall('SkyrendSoundChecks', 'string', [], []));
    Check(SoundResult === '', `the sound service on OpenAL ${SoundResult ? 'fails: ' + SoundResult : 'plays copies, loops, stops and restarts'}`);
  } finally {
    await Browser.close();
    Server.close();
  }
  process.exit(Failures ? 1 : 0);
}

Main().catch(Error => {
  console.error(Error);
  process.exit(1);
});
