// How clean the page's sound is at volume 100, read off every buffer of the
// mix the page hands to Web Audio: a busy game (fire held while the craft
// turns, a new game whenever one ends) for SECONDS, with the CPU slowed
// THROTTLE times (Chromium's throttling: fewer pictures a second), then the
// game's hum alone from its start to its stop beside the loop's own largest
// step. Figures, not pass or fail.
// usage: node measure_sound.js WEB_BUILD [SECONDS [THROTTLE]]
'use strict';
const { OpenPage, RunInBrowser, Sleep } = require('./Browser');
const { InstrumentAudio, HumThroughPage } = require('./PageProbes');

const [WebBuild, SecondsText = '40', ThrottleText = '1'] = process.argv.slice(2);

// The figures of what an instrumented page played.
async function Line(Page, What, F) {
  const Rate = await Page.evaluate(() => window.TestAudio.length ? window.TestAudio[0].sampleRate : 0);
  return `${What}: ${(F.Frames / Rate).toFixed(2)} s at ${Rate} Hz, ${F.FullScale} samples at full scale, ` +
         `peak ${F.Peak}, largest step ${F.Step}` + (F.Own !== undefined ? ` (the loop's own ${F.Own})` : '') +
         `, ${F.Gaps} gaps`;
}

RunInBrowser(WebBuild, async (Browser, Server) => {
  const Page = await OpenPage(Browser, Server, { Before: InstrumentAudio });
  await Sleep(1500);
  const Cdp = await Page.target().createCDPSession();
  await Cdp.send('Emulation.setCPUThrottlingRate', { rate: Number(ThrottleText) });
  const Pictures = [];
  // Display frames further apart than the page's longest queue (400 ms): where a gap can fall.
  await Page.evaluate(() => {
    window.LongFrames = 0;
    let Last = 0;
    const Frame = Now => {
      if (Last && Now - Last > 400) ++window.LongFrames;
      Last = Now;
      requestAnimationFrame(Frame);
    };
    requestAnimationFrame(Frame);
  });
  await Page.keyboard.down('Space');
  for (let Second = 0; Second < Number(SecondsText); ++Second) {
    if (Second % 5 === 0) await Page.keyboard.press('KeyZ');  // a new game after a game over
    const Turn = Second % 4 < 2 ? 'ArrowLeft' : 'ArrowRight';
    await Page.keyboard.down(Turn);
    await Sleep(600);
    await Page.keyboard.up(Turn);
    await Sleep(400);
    Pictures.push(await Page.$eval('#canvas', Canvas => Number(Canvas.dataset.fps || 0)));
  }
  Pictures.sort((A, B) => A - B);
  await Page.keyboard.up('Space');
  const Long = await Page.evaluate(() => window.LongFrames);
  const What = `page, busy game (CPU slowed ${ThrottleText}x, median ${Pictures[Pictures.length >> 1]} pictures a second, ` +
               `${Long} frames over 400 ms apart)`;
  console.log(await Line(Page, What, await Page.evaluate(() => window.TestSound)));
  await Page.close();
  const Test = await OpenPage(Browser, Server, { Module: 'skyrend-test', Before: InstrumentAudio });
  console.log(await Line(Test, 'page, the hum started, looped and stopped', await HumThroughPage(Test)));
  await Test.close();
  return 0;
});
