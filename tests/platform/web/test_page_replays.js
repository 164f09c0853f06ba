// The page watches a kept game from the title's table, as the desktop does:
// Down chooses the stored table's row, Enter plays its demo (kept in
// localStorage beside the table) under the blue sky with the yellow REPLAY
// marker, Escape goes back to the title, a click on the chosen row plays it
// again, and the table stays as it was. On a touch screen two taps on a row
// (through the touch controls, which cover the canvas) watch it.
// usage: node test_page_replays.js WEB_BUILD
'use strict';
const fs = require('fs');
const path = require('path');
const { OpenPage, CanvasPixels, RunInBrowser, Sleep, WaitFor, Check, Failed } = require('./Browser');
const { Pixel } = require('./PageProbes');

const [WebBuild] = process.argv.slice(2);
const Rules = /RulesVersion\[\] = "([^"]*)"/.exec(
  fs.readFileSync(path.join(__dirname, '../../../game/RulesVersion.h'), 'utf8'))[1];
const Table = '100 1 2026-12-01 2026-12-01_10-00-00.txt\n';
// Z at frame 60, fire held until the aliens end the game.
const Demo = `# Skyrend demo at 800x600, rules ${Rules}: x\n# the game begins at frame 60\n` +
             '60 down 90\n62 up 90\n64 down 32\n400 up 32\n';

function Seed(Table, Demo) {
  localStorage.setItem('skyrend.scores', Table);
  localStorage.setItem('skyrend.replay.2026-12-01_10-00-00.txt', Demo);
}

// Yellow pixels in the band under the overlay's digits, on the left.
function MarkerPixels(Image) {
  let Count = 0;
  for (let y = Math.floor(Image.height * 0.06); y < Math.floor(Image.height * 0.18); ++y)
    for (let x = 0; x < Math.floor(Image.width * 0.4); ++x) {
      const [R, G, B] = Pixel(Image, x, y);
      if (R > 200 && G > 150 && B < 120) ++Count;
    }
  return Count;
}

const TopSky = Image => Pixel(Image, Math.floor(Image.width / 2), 2)[2];

// The middle of the table's first row on the page, as the title lays it out.
async function FirstRow(Page) {
  const Box = await (await Page.$('#canvas')).boundingBox();
  const H = Box.height, Top = Math.max(1, 4 * H / (3 * Box.width)), Room = H - H * (1 - 0.34 / Top) / 2;
  const Span = Math.min(Box.width, H * 4 / 3), Row = Math.min(Room * 0.062, Span * 0.045);
  return { x: Box.x + Box.width / 2, y: Box.y + Room * 0.25 - Row * 0.33 };
}

RunInBrowser(WebBuild, async (Browser, Server) => {
  const Page = await OpenPage(Browser, Server, { Before: `(${Seed})(${JSON.stringify(Table)}, ${JSON.stringify(Demo)})` });
  await Sleep(1000);
  Check(TopSky(await CanvasPixels(Page)) < 60, 'the title first');
  await Page.keyboard.press('ArrowDown');
  await Page.keyboard.press('Enter');
  const Watching = await WaitFor(() => CanvasPixels(Page), Image => TopSky(Image) > 200 && MarkerPixels(Image) > 50);
  Check(TopSky(Watching) > 200 && MarkerPixels(Watching) > 50,
        `Enter plays the chosen game under the sky with its marker (blue ${TopSky(Watching)}, ` +
        `${MarkerPixels(Watching)} marker pixels)`);
  await Page.keyboard.press('Escape');
  const Back = await WaitFor(() => CanvasPixels(Page), Image => TopSky(Image) < 60);
  Check(TopSky(Back) < 60, 'Escape goes back to the title');
  Check(await Page.evaluate(() => localStorage.getItem('skyrend.scores')) === Table, 'the table is left as it was');
  Check(Page.Errors.length === 0, 'no console errors ' + JSON.stringify(Page.Errors));

  // Back on the title the chosen row stays; a click on it (the pointer is free) watches it again.
  const First = await FirstRow(Page);
  await Page.mouse.click(First.x, First.y);
  const Clicked = await WaitFor(() => CanvasPixels(Page), Image => TopSky(Image) > 200 && MarkerPixels(Image) > 50);
  Check(TopSky(Clicked) > 200 && MarkerPixels(Clicked) > 50,
        `a click on the chosen row watches its game (blue ${TopSky(Clicked)}, ${MarkerPixels(Clicked)} marker pixels)`);
  await Page.close();

  // A phone on its side: once the table shows, a tap chooses the row and a second tap watches it.
  const Phone = await OpenPage(Browser, Server, { Width: 844, Height: 390, Touch: true,
                                                  Before: `(${Seed})(${JSON.stringify(Table)}, ${JSON.stringify(Demo)})` });
  Check(await Phone.$eval('#touch', Box => !Box.hidden), 'the touch controls cover the canvas');
  const Row = await FirstRow(Phone);
  const Tapped = await WaitFor(async () => {
    await Phone.touchscreen.tap(Row.x, Row.y);
    await Sleep(200);
    await Phone.touchscreen.tap(Row.x, Row.y);
    await Sleep(800);
    return CanvasPixels(Phone);
  }, Image => TopSky(Image) > 200 && MarkerPixels(Image) > 20, 30000);
  Check(TopSky(Tapped) > 200 && MarkerPixels(Tapped) > 20,
        `two taps on a row watch its game (blue ${TopSky(Tapped)}, ${MarkerPixels(Tapped)} marker pixels)`);
  return Failed();
});
