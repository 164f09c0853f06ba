// The page a score board serves sends its games to that board. On a phone
// held sideways (844 x 390), a click on the pause screen's Share scores row
// asks for a name in the page's field: Escape leaves sharing off, a name the
// host refuses keeps the field open saying why, a good one turns sharing on
// and is kept in the settings. A game played to its end is then ranked on the
// real server (no board named), nothing waits in localStorage, and the page
// shows where it stands (pictures in PICTURES). The page runs the test module
// (served in place of the player's), whose probes say where the rows lie.
// usage: node test_page_shares.js WEB_BUILD NATIVE_BIN [PICTURES]
'use strict';
const { spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { Launch, Uncover, Sleep, WaitFor, Check, Failed } = require('./Browser.js');

const [WebBuild, NativeBin, Pictures = os.tmpdir()] = process.argv.slice(2);

(async () => {
  if (!fs.existsSync(path.join(NativeBin, 'skyrend-server'))) {
    console.log('SKIPPED: skyrend-server is not built (tools/install-server-deps.sh installs what it needs)');
    process.exit(77);
  }
  const Folder = fs.mkdtempSync(path.join(os.tmpdir(), 'skyrend-page-shares-'));
  const Server = spawn(path.join(NativeBin, 'skyrend-server'), ['--port', '0', '--database',
                       path.join(Folder, 'board.sqlite'), '--models', NativeBin, '--game-page', WebBuild]);
  const Base = await new Promise((Resolve, Reject) => {
    let Said = '';
    Server.stdout.on('data', Data => {
      Said += Data;
      const Port = /127\.0\.0\.1:(\d+)\//.exec(Said);
      if (Port) Resolve(`http://127.0.0.1:${Port[1]}`);
    });
    Server.on('exit', Code => Reject(new Error(`skyrend-server ended (${Code}): ${Said}`)));
  });
  const Browser = await Launch();
  try {
    const Page = await Browser.newPage();
    await Page.setViewport({ width: 844, height: 390 });
    const TestPage = fs.readFileSync(path.join(WebBuild, 'skyrend.html'), 'utf8')
      .replace('data-program="skyrend"', 'data-program="skyrend-test"');
    await Page.setRequestInterception(true);
    Page.on('request', Request => {
      if (new URL(Request.url()).pathname === '/play/module.html')
        Request.respond({ status: 200, contentType: 'text/html', body: TestPage });
      else Request.continue();
    });
    await Page.goto(`${Base}/play/module.html`);
    await Page.waitForFunction('window.Module && Module.calledRun === true', { timeout: 120000 });
    await Uncover(Page);
    await Page.evaluate(() => Module.ccall('SkyrendStartShell', 'number', [], []));
    await Sleep(1000);

    // Paused, a click on the Share scores row's value asks for a name.
    const Kept = () => Page.evaluate(() => localStorage.getItem('skyrend.settings') || '');
    const Asking = () => Page.$eval('#name-ask', Form => !Form.hidden);
    const ClickShare = async () => {
      const Packed = await Page.evaluate(() => Module.ccall('SkyrendShellPausePoint', 'number', ['number', 'number'], [2, 5]));
      const Box = await (await Page.$('#canvas')).boundingBox();
      const Size = await Page.$eval('#canvas', Canvas => [Canvas.width, Canvas.height]);
      await Page.mouse.click(Box.x + Math.floor(Packed / 65536) * Box.width / Size[0],
                             Box.y + (Packed % 65536) * Box.height / Size[1]);
      return WaitFor(Asking, Open => Open, 10000);
    };
    await Page.keyboard.press('p');
    await WaitFor(() => Page.title(), Title => Title === 'Skyrend (paused)');
    await Sleep(300);
    await Page.screenshot({ path: path.join(Pictures, 'i35d-options-sideways.png') });
    Check(await ClickShare(), 'a click on Share scores asks for a name');
    await Page.keyboard.press('Escape');
    Check(!(await WaitFor(Asking, Open => !Open, 10000)) && !/share_scores = yes/.test(await Kept()),
          `Escape closes the field and leaves sharing off (${await Kept()})`);
    await ClickShare();
    await Page.keyboard.type('Ace;DROP');
    await Page.keyboard.press('Enter');
    const Fault = await WaitFor(() => Page.$eval('#name-fault', Line => Line.textContent), Text => Text !== '', 10000);
    Check(/letters, digits, spaces/.test(Fault) && await Asking(), `a bad name keeps the field open saying why ("${Fault}")`);
    await Page.$eval('#name-field', Field => { Field.value = ''; });
    await Page.keyboard.type('Page Pilot');
    await Page.screenshot({ path: path.join(Pictures, 'i35d-name-field.png') });
    await Page.keyboard.press('Enter');
    await WaitFor(Asking, Open => !Open, 10000);
    const Settings = await WaitFor(Kept, Text => /share_scores = yes/.test(Text), 10000);
    Check(/share_scores = yes/.test(Settings) && /player_name = Page Pilot/.test(Settings),
          `a good name turns sharing on and is kept (${JSON.stringify(Settings)})`);
    Check(await Page.title() === 'Skyrend (paused)', 'the game stays paused while the name is asked');
    await Sleep(300);
    await Page.screenshot({ path: path.join(Pictures, 'i35d-sharing-on.png') });
    await Page.setViewport({ width: 390, height: 844 });
    await Sleep(800);
    await Page.screenshot({ path: path.join(Pictures, 'i35d-options-upright.png') });
    await Page.setViewport({ width: 844, height: 390 });
    await Sleep(800);
    await Page.keyboard.press('p');
    await WaitFor(() => Page.title(), Title => Title === 'Skyrend');
    await Page.keyboard.press('z');
    await Page.keyboard.down(' ');
    const Board = async () => (await fetch(`${Base}/api/v1/board`)).json();
    // Asked once a second, as a player's board page might: the server limits requests per address.
    let Ranked = await Board();
    for (const End = Date.now() + 120000; Ranked.total !== 1 && Date.now() < End; Ranked = await Board()) await Sleep(1000);
    await Page.keyboard.up(' ');
    Check(Ranked.total === 1 && Ranked.games[0].name === 'Page Pilot', `the game is ranked: ${JSON.stringify(Ranked)}`);
    await Sleep(1500);  // the page asks after the game a second after sending it
    await Page.screenshot({ path: path.join(Pictures, 'i35d-page-standing.png') });
    const Waiting = await Page.evaluate(() => localStorage.getItem('skyrend.unsent'));
    Check(!Waiting, `nothing waits to be sent (${Waiting})`);
  } finally {
    await Browser.close();
    Server.kill('SIGTERM');
    fs.rmSync(Folder, { recursive: true, force: true });
  }
  process.exit(Failed() ? 1 : 0);
})().catch(Error => {
  console.error(Error);
  process.exit(1);
});
