// The page keeps the game's real time on a slow machine: with Chromium's CPU
// throttling slowing the page, it shows fewer pictures but still plays about
// 60 steps a second of the game's clock, taking steps without pictures to
// catch up. The figures are printed; only a generous floor on the steps a
// second is judged, over the game's clock less what the schedule gave up
// after stalls of more than five periods. usage: node test_page_pacing.js WEB_BUILD
'use strict';
const { OpenPage, RunInBrowser, Check, Failed } = require('./Browser');
const { MeasurePace, PaceLine } = require('./PageProbes');

const [WebBuild] = process.argv.slice(2);

RunInBrowser(WebBuild, async (Browser, Server) => {
  const Page = await OpenPage(Browser, Server, { Width: 1366, Height: 657 });
  const Cdp = await Page.target().createCDPSession();
  await Page.keyboard.press('KeyZ');
  const Free = await MeasurePace(Page, Cdp, 1, 4);
  console.log(PaceLine(Free));
  const Slowed = await MeasurePace(Page, Cdp, 2, 6);
  console.log(PaceLine(Slowed));
  // Display frames more than five periods (83 ms) apart restart the schedule,
  // as a stall should, and a busy machine makes many: what is judged is the
  // pace over the rest of the game's clock.
  if (Slowed.KeptSeconds >= 2)
    Check(Slowed.Kept > 50, `the slowed page plays ${Slowed.Kept.toFixed(1)} steps a second of the game's clock ` +
                            `outside stalls (more than 50) at ${Slowed.Pictures.toFixed(1)} pictures a second`);
  else
    console.log(`NOTE: only ${Slowed.KeptSeconds.toFixed(1)} s of the game's clock outside stalls: not judged`);
  Check(Page.Errors.length === 0, 'no console errors ' + JSON.stringify(Page.Errors));
  return Failed();
});
