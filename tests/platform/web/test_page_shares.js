// The page a score board serves sends its games to that board: with
// share_scores on and a player name in the kept settings (no board named), a
// game played to its end is ranked on the real server, nothing waits in
// localStorage, and the page shows where it stands (a picture in PICTURES).
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
    await Page.setViewport({ width: 1000, height: 800 });
    await Page.evaluateOnNewDocument(() => {
      if (!localStorage.getItem('skyrend.settings'))
        localStorage.setItem('skyrend.settings', 'share_scores = yes\nplayer_name = Page Pilot\n');
    });
    await Page.goto(`${Base}/play/skyrend.html`);
    await Page.waitForFunction("/^(Click the picture|Stick: )/.test(document.getElementById('status').textContent)",
                               { timeout: 120000 });
    await Uncover(Page);
    await Sleep(1000);
    await Page.keyboard.press('z');
    await Page.keyboard.down(' ');
    await Page.keyboard.down('ArrowLeft');
    const Board = async () => (await fetch(`${Base}/api/v1/board`)).json();
    const Ranked = await WaitFor(Board, B => B.total === 1, 120000);
    await Page.keyboard.up(' ');
    await Page.keyboard.up('ArrowLeft');
    Check(Ranked.total === 1 && Ranked.games[0].name === 'Page Pilot', `the game is ranked: ${JSON.stringify(Ranked)}`);
    await Sleep(1500);  // the page asks after the game a second after sending it
    await Page.screenshot({ path: path.join(Pictures, 'i35c-page-standing.png') });
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
