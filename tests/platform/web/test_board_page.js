// The score board's page in headless Chromium: the real skyrend-server on
// SQLite in a temporary folder, serving the built game page at /play/. The
// board lists the ranked games (name, score, level, date) without spilling
// sideways on a phone; Watch opens the game's page, which fetches that demo
// and plays it. Pictures are kept in PICTURES (for a person to look at).
// usage: node test_board_page.js WEB_BUILD NATIVE_BIN [PICTURES]
'use strict';
const { spawn, execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { Launch, Uncover, Sleep, WaitFor, Check, Failed } = require('./Browser.js');

const [WebBuild, NativeBin, Pictures = os.tmpdir()] = process.argv.slice(2);
const Root = path.resolve(__dirname, '../../..');
// The recorded demo replays the same under this build's rules: it is sent with their version.
const Rules = /\(rules (.*)\)$/m.exec(execFileSync(path.join(NativeBin, 'skyrend'), ['--version'],
                                                   { env: { ...process.env, DISPLAY: '' } }).toString())[1];
const Demo = fs.readFileSync(path.join(Root, 'tests/data/demos/demo1.txt'), 'utf8')
  .replace(/^(# Skyrend demo at \d+x\d+)[^:]*:/, `$1, rules ${Rules}:`);
const DemoFolder = fs.mkdtempSync(path.join(os.tmpdir(), 'skyrend-board-demo-'));
const DemoFile = path.join(DemoFolder, 'demo1.txt');
fs.writeFileSync(DemoFile, Demo);
process.on('exit', () => fs.rmSync(DemoFolder, { recursive: true, force: true }));

// Starts the server on a fresh board; resolves to { Child, Base, Folder }.
function StartServer() {
  const Folder = fs.mkdtempSync(path.join(os.tmpdir(), 'skyrend-board-page-'));
  const Child = spawn(path.join(NativeBin, 'skyrend-server'),
                      ['--port', '0', '--database', path.join(Folder, 'board.sqlite'), '--game-page', WebBuild]);
  return new Promise((Resolve, Reject) => {
    let Said = '';
    Child.stdout.on('data', Data => {
      Said += Data;
      const Port = /127\.0\.0\.1:(\d+)\//.exec(Said);
      if (Port) Resolve({ Child, Folder, Base: `http://127.0.0.1:${Port[1]}` });
    });
    Child.on('exit', Code => Reject(new Error(`skyrend-server ended (${Code}): ${Said}`)));
  });
}

async function Send(Base, Name, Text, Score) {
  const Sent = await fetch(`${Base}/api/v1/games`, {
    method: 'POST', headers: { 'Content-Type': 'application/json' },
    body: JSON.stringify({ name: Name, demo: Text, score: Score }),
  });
  const Answer = await Sent.json();
  if (!Sent.ok) return Answer;
  const id = Answer.id;
  return WaitFor(async () => (await (await fetch(`${Base}/api/v1/games/${id}`)).json()), G => G.state !== 'queued');
}

(async () => {
  if (!fs.existsSync(path.join(NativeBin, 'skyrend-server'))) {
    console.log('SKIPPED: skyrend-server is not built (tools/install-server-deps.sh installs what it needs)');
    process.exit(77);
  }
  const Score = Number(/score (\d+)/.exec(execFileSync(path.join(NativeBin, 'skyrend-verify'), [DemoFile]))[1]);
  const Server = await StartServer();
  const Browser = await Launch();
  try {
    // Two games of one play (the second runs on past its end): same score, ranked in the order sent.
    const First = await Send(Server.Base, 'Ann', Demo, Score);
    const Tag = await Send(Server.Base, 'Bob <script>', Demo + '9999 tick 200000\n', Score);
    Check(Tag.state === 'refused', `a name with markup is refused (${JSON.stringify(Tag)})`);
    await Send(Server.Base, 'Bob', Demo + '9999 tick 200000\n', Score);
    Check(First.state === 'ranked', `the honest game is ranked (${JSON.stringify(First)})`);

    const Phone = await Browser.newPage();
    await Phone.setViewport({ width: 360, height: 740, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
    await Phone.goto(`${Server.Base}/`);
    const Rows = await WaitFor(() => Phone.$$eval('#games tr', Trs => Trs.map(Tr => Tr.innerText.replace(/\s+/g, ' ').trim())),
                               R => R.length === 2);
    Check(Rows.length === 2 && Rows[0].startsWith(`1 Ann ${Score} 1`) && Rows[1].startsWith(`2 Bob ${Score} 1`),
          `the board lists the ranked games best first: ${JSON.stringify(Rows)}`);
    const Wide = await Phone.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
    Check(Wide <= 0, `nothing spills sideways on a 360-pixel phone (${Wide} px over)`);
    await Phone.screenshot({ path: path.join(Pictures, 'skyrend-board-phone.png') });

    const Desk = await Browser.newPage();
    await Desk.setViewport({ width: 1100, height: 700 });
    await Desk.goto(`${Server.Base}/`);
    await Desk.waitForSelector('#games tr');
    const Date = await Desk.$eval('#games tr td.date', Td => Td.textContent);
    Check(/^\d{4}-\d\d-\d\d$/.test(Date), `each game shows its date (${Date})`);
    await Desk.click('nav button[data-period="week"]');
    await WaitFor(() => Desk.$eval('#page', P => P.textContent), T => T === 'Page 1 of 1');
    await Desk.screenshot({ path: path.join(Pictures, 'skyrend-board.png') });

    // Watch: the game's page, playing that demo.
    await Promise.all([Desk.waitForNavigation(), Desk.click('#games tr a.watch')]);
    Check(/\/play\/skyrend\.html\?watch=1$/.test(Desk.url()), `Watch opens the game's page for game 1 (${Desk.url()})`);
    await Desk.waitForFunction("/^(Click the picture|Stick: )/.test(document.getElementById('status').textContent)",
                               { timeout: 120000 });
    Check(await Desk.evaluate(() => window.SkyrendWatch) === Demo, 'the page has the game\'s demo byte for byte');
    await Uncover(Desk);
    await Sleep(2500);
    const Said = await Desk.$eval('#messages', M => (M.hidden ? '' : M.innerText));
    Check(Said === '', `the page plays the demo without a message (${Said})`);
    await Desk.screenshot({ path: path.join(Pictures, 'skyrend-board-watch.png') });
  } finally {
    await Browser.close();
    Server.Child.kill('SIGTERM');
    fs.rmSync(Server.Folder, { recursive: true, force: true });
  }
  process.exit(Failed() ? 1 : 0);
})().catch(Error => {
  console.error(Error);
  process.exit(1);
});
