// The page as a player meets it: it loads without console errors and shows
// the title; Z starts play with the sky of the first colour scheme along the
// top edge and the shot heard; frames are held to 60 a second; Escape pauses
// and P plays on, for the page never ends the game. Then the GL subset and
// the sound service are checked on this browser's WebGL and OpenAL, in the
// test module. usage: node test_page_plays.js WEB_BUILD
'use strict';
const { OpenPage, CanvasPixels, RunInBrowser, Sleep, WaitFor, Check, Failed } = require('./Browser');
const { InstrumentAudio, SoundStarts, HumThroughPage } = require('./PageProbes');

const [WebBuild] = process.argv.slice(2);

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

RunInBrowser(WebBuild, async (Browser, Server) => {
  const Page = await OpenPage(Browser, Server, { Before: InstrumentAudio });
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

  const SoundsBefore = await SoundStarts(Page);
  await Page.keyboard.press('KeyZ');
  // The first pictures of play: at 60 steps a second a shot may soon burst
  // fragments across the view, so the sky is looked for as play begins.
  const BlueSky = Row => Row.every(([R, G, B]) => R <= 12 && G <= 12 && B >= 240);
  let Play = null;
  await WaitFor(async () => (Play = await CanvasPixels(Page)), Image => BlueSky(TopRow(Image)), 5000);
  const Sky = TopRow(Play);
  Check(BlueSky(Sky),
        'Z starts play: the top edge is the blue sky of scheme 0 ' + JSON.stringify(Sky.slice(0, 3)));
  const SoundsAfter = await SoundStarts(Page);
  Check(SoundsAfter > SoundsBefore, `the shot is played through Web Audio (${SoundsAfter - SoundsBefore} sounds started)`);

  // Turning with the arrow key held moves the view: the picture changes.
  await Page.keyboard.down('ArrowLeft');
  await Sleep(700);
  await Page.keyboard.up('ArrowLeft');
  const Turned = await CanvasPixels(Page);
  let Changed = 0;
  for (let i = 0; i < Turned.data.length; i += 4 * 97) if (Turned.data[i] !== Play.data[i]) ++Changed;
  Check(Changed > 50, `the held Left arrow turns the view (${Changed} sampled pixels changed)`);

  // At most 60 pictures a second (one a step at most); the tab's title is the game's name.
  await Sleep(2200);
  const Fps = await Page.$eval('#canvas', Canvas => Number(Canvas.dataset.fps || 0));
  Check(Fps > 0 && Fps <= 61 && (await Page.title()) === 'Skyrend',
        `at most 60 frames a second (${Fps}), and the tab's title is "${await Page.title()}"`);

  // Held for a while, as a player's press is. Escape pauses; the game goes on after P.
  await Page.keyboard.down('Escape');
  await Sleep(400);
  await Page.keyboard.up('Escape');
  await Sleep(300);
  const Paused = await Page.$eval('#status', Element => Element.textContent);
  Check(/Paused/.test(Paused) && (await Page.title()) === 'Skyrend (paused)', `Escape pauses the game ("${Paused}")`);
  await Page.keyboard.press('KeyP');
  await Sleep(2200);
  const Playing = await Page.$eval('#status', Element => Element.textContent);
  const Counting = await Page.$eval('#canvas', Canvas => Number(Canvas.dataset.fps || 0));
  Check(!/Paused/.test(Playing) && Counting > 0 && (await Page.title()) === 'Skyrend',
        `P plays on after Escape ("${Playing}", ${Counting} frames a second)`);
  Check(Page.Errors.length === 0, 'no console errors during play ' + JSON.stringify(Page.Errors));

  // Our OpenGL subset on this browser's WebGL 2: lists, matrices, depth writes, wide lines, errors
  // and the pause screen's calls.
  const Gl = await OpenPage(Browser, Server, { Module: 'skyrend-test' });
  const GlResult = await Gl.evaluate(() => Module.ccall('SkyrendGlChecks', 'string', [], []));
  Check(GlResult === '', `the GL subset on WebGL 2 ${GlResult ? 'fails: ' + GlResult : 'passes its checks, the pause screen\'s included'}`);
  const SoundResult = await Gl.evaluate(() => Module.ccall('SkyrendSoundChecks', 'string', [], []));
  Check(SoundResult === '', `the sound service on OpenAL ${SoundResult ? 'fails: ' + SoundResult : 'plays copies, loops, stops and restarts'}`);

  // What the page plays of the hum, from its start through its loop to its stop: no click, no clipping.
  const Hum = await HumThroughPage(await OpenPage(Browser, Server, { Module: 'skyrend-test', Before: InstrumentAudio }));
  Check(Hum.Frames > 44100 && Hum.Peak > 1000 && Hum.Step <= Hum.Own && Hum.FullScale === 0 && Hum.Gaps === 0,
        `the page plays the hum without a click: largest step ${Hum.Step} (the loop's own ${Hum.Own}), ` +
        `peak ${Hum.Peak}, ${Hum.FullScale} samples at full scale in ${Hum.Frames} frames, ${Hum.Gaps} gaps`);
  return Failed();
});
