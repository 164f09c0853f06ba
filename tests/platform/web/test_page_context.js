// The page and its WebGL context: no display frame, on the title or in play,
// makes the page wait on a WebGL query (reading state or errors back); and a
// lost context pauses the game at once (steps and clock stand, the audio is
// suspended, P does not play on), a restored one stays paused under the
// sign, and P plays on. The frame callbacks' times are printed beside the
// counts, as figures. usage: node test_page_context.js WEB_BUILD
'use strict';
const { OpenPage, CanvasPixels, RunInBrowser, Sleep, WaitFor, Check, Failed } = require('./Browser');
const { InstrumentAudio, InstrumentFrames, FramesOver, AudioState, PaceCounts, SignPixels, SignFloor } =
  require('./PageProbes');

const [WebBuild] = process.argv.slice(2);

// Counts of a stretch of frames, checked for no query at all, with the callbacks' times.
function CheckNoQueries(F, What) {
  Check(F.Frames >= 10 && F.FramesWithQueries === 0,
        `${What}: ${F.FramesWithQueries} of ${F.Frames} frames wait on WebGL queries ${JSON.stringify(F.Queries)}; ` +
        `frame callback ${F.Median.toFixed(2)} ms median, ${F.P90.toFixed(2)} ms at the 90th percentile`);
}

const Status = Page => Page.$eval('#status', Element => Element.textContent);
const LoseContext = (Page, Lose) => Page.evaluate(Lose => {
  const Extension = window.TestLose;
  if (Lose) Extension.loseContext();
  else Extension.restoreContext();
}, Lose);

RunInBrowser(WebBuild, async (Browser, Server) => {
  const Page = await OpenPage(Browser, Server, { Before: [InstrumentAudio, InstrumentFrames] });
  await Sleep(1500);
  CheckNoQueries(await FramesOver(Page, 2000), 'title frames');

  await Page.keyboard.press('KeyZ');
  await Sleep(1500);
  CheckNoQueries(await FramesOver(Page, 2000), 'play frames');

  // The extension is taken before the loss: a lost context gives none.
  await Page.evaluate(() => {
    window.TestLose = document.getElementById('canvas').getContext('webgl2').getExtension('WEBGL_lose_context');
  });
  const Playing = await AudioState(Page);
  await LoseContext(Page, true);
  // The page's counts are written once a second: two of them, a P between.
  const Audio = await WaitFor(() => AudioState(Page), S => S === 'suspended', 3000);
  await Sleep(1100);
  const Lost = await PaceCounts(Page);
  await Page.keyboard.press('KeyP');
  await Sleep(1100);
  const StillLost = await PaceCounts(Page);
  Check(Playing === 'running' && Audio === 'suspended',
        `a lost context suspends the audio (${Playing}, then ${Audio}): "${await Status(Page)}"`);
  Check(Lost.Steps === StillLost.Steps && Lost.Clock === StillLost.Clock,
        `while lost, P pressed, nothing steps: steps ${Lost.Steps} then ${StillLost.Steps}, ` +
        `clock ${Lost.Clock} then ${StillLost.Clock}`);

  // Lost for longer than the page waits, it says to reload; the context coming back takes that away.
  const Said = () => Page.$eval('#messages', M => (M.hidden ? '' : M.textContent));
  const Reload = await WaitFor(Said, Text => /Reload/.test(Text), 6000);
  await LoseContext(Page, false);
  const Sign = await WaitFor(() => CanvasPixels(Page), Image => SignPixels(Image) >= SignFloor(Image), 5000);
  await Sleep(1100);
  const Restored = await PaceCounts(Page);
  Check(/Paused/.test(await Status(Page)) && Restored.Steps === Lost.Steps && SignPixels(Sign) >= SignFloor(Sign) &&
        (await AudioState(Page)) === 'suspended',
        `restored, the game stays paused under the sign (${SignPixels(Sign)} sign pixels, steps ${Restored.Steps}, ` +
        `audio ${await AudioState(Page)}): "${await Status(Page)}"`);
  Check(/Reload/.test(Reload) && !/Reload/.test(await Said()),
        `"Reload" shows while the context stays lost and goes when it comes back ("${Reload}", then "${await Said()}")`);

  await Page.keyboard.press('KeyP');
  const Again = await WaitFor(() => PaceCounts(Page), C => C.Steps > Restored.Steps + 30, 5000);
  Check(Again.Steps > Restored.Steps + 30 && (await AudioState(Page)) === 'running' && !/Paused/.test(await Status(Page)),
        `P plays on: steps ${Restored.Steps} then ${Again.Steps}, audio ${await AudioState(Page)}`);
  CheckNoQueries(await FramesOver(Page, 2000), 'play frames after the context came back');
  Check(Page.Errors.length === 0, 'no console errors ' + JSON.stringify(Page.Errors));
  return Failed();
});
