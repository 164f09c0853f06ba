// The page's pace under load: for each rate of Chromium's CPU throttling the
// game plays for a while at 1366 x 657, and the pictures a second and the
// game's steps a second of its own clock are printed. A page that keeps real
// time holds 60 steps a second while its pictures fall. Works on any build
// of the page (one that does not count its steps drew every one). Figures,
// not pass or fail.
// usage: node measure_pacing.js WEB_BUILD [SECONDS] [RATES, e.g. 1,2,4,6]
'use strict';
const { OpenPage, RunInBrowser } = require('./Browser');
const { MeasurePace, PaceLine } = require('./PageProbes');

const [WebBuild, SecondsText = '8', RatesText = '1,2,4,6'] = process.argv.slice(2);

RunInBrowser(WebBuild, async (Browser, Server) => {
  const Page = await OpenPage(Browser, Server, { Width: 1366, Height: 657 });
  const Cdp = await Page.target().createCDPSession();
  await Page.keyboard.press('KeyZ');  // a game in play, the busier picture
  for (const Rate of RatesText.split(',').map(Number))
    console.log(PaceLine(await MeasurePace(Page, Cdp, Rate, Number(SecondsText))));
  return false;  // figures only
});
