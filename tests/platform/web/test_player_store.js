// The page keeps the player's settings and scores in localStorage, in the
// desktop files' text: a stored table gives the high score at start and its
// damaged line is named on the console; M mutes and is kept as `muted` with
// the other stored lines as they were; games merged into the stored table
// from two open tabs are both kept, and a damaged table is kept aside. A pad
// that can vibrate does so briefly when the player is hit.
// usage: node test_player_store.js WEB_BUILD
'use strict';
const { OpenPage, RunInBrowser, Sleep, WaitFor, Check, Failed } = require('./Browser');

const [WebBuild] = process.argv.slice(2);

// Stored before the page's scripts run, once: a reload keeps what the page wrote.
function Seed() {
  if (sessionStorage.getItem('seeded')) return;
  sessionStorage.setItem('seeded', '1');
  localStorage.setItem('skyrend.scores', '7777 3 2026-01-01\ngarbage\n');
  localStorage.setItem('skyrend.settings', '# mine\nvolume = 50\n');
}

const Stored = (Page, Key) => Page.evaluate(K => localStorage.getItem(K), Key);

// Arms Page to note the next storage event for Key (another tab's write);
// SeenWrite(Page) then waits for it, however busy the machine.
const WatchWrites = (Page, Key) => Page.evaluate(K => {
  window.Written = new Promise(Resolve => addEventListener('storage', E => { if (E.key === K) Resolve(true); }));
}, Key);
const SeenWrite = Page => Page.evaluate(() => Promise.race([window.Written,
  new Promise(Resolve => setTimeout(() => Resolve(false), 60000))]));

RunInBrowser(WebBuild, async (Browser, Server) => {
  const Page = await OpenPage(Browser, Server, { Before: Seed });
  const Named = L => L.includes('localStorage skyrend.scores:2: not a "score level date" line; skipped');
  await WaitFor(() => Page.Lines.some(Named), Seen => Seen);
  Check(Page.Lines.some(Named),
        'the damaged stored line is named on the console');
  Check(Page.Errors.length === 0, 'no console errors ' + JSON.stringify(Page.Errors));
  Check(await Stored(Page, 'skyrend.settings') === '# mine\nvolume = 50\n', 'nothing is written before a change');
  await Page.keyboard.press('KeyM');
  const Settings = await WaitFor(() => Stored(Page, 'skyrend.settings'), Text => /muted/.test(Text));
  Check(/^# mine\nvolume = 50\nmuted = yes\n/.test(Settings), 'M is kept as muted, the stored lines as they were: ' +
        JSON.stringify(Settings));

  // The test module's shell on the same stored table: the high score starts at its best.
  const Shell = await OpenPage(Browser, Server, { Module: 'skyrend-test' });
  await Shell.evaluate(() => Module.ccall('SkyrendStartShell', 'number', [], []));
  const High = await WaitFor(() => Shell.evaluate(() => Module.ccall('SkyrendShellHighScore', 'number', [], [])),
                             Score => Score === 7777);
  Check(High === 7777, `the high score starts at the stored best (${High})`);

  // Two tabs open, each ends a game: the second merges into the table as
  // stored at that moment, with the first tab's game in it.
  const Other = await OpenPage(Browser, Server, { Module: 'skyrend-test' });
  const Add = (Tab, Score) => Tab.evaluate(S => Module.ccall('SkyrendStoreAddScore', 'number', ['number', 'number'], [S, 2]), Score);
  // Each tab merges only once the other's write has reached it: the test is of
  // the merge, not of how fast the browser carries storage between processes.
  await WatchWrites(Other, 'skyrend.scores');
  await Add(Shell, 500);
  Check(await SeenWrite(Other), 'the first tab\'s game reaches the second tab');
  await WatchWrites(Shell, 'skyrend.scores');
  await Add(Other, 9000);
  Check(await SeenWrite(Shell), 'the second tab\'s game reaches the first tab');
  const Table = await Stored(Shell, 'skyrend.scores');
  Check(Table === '9000 2 2026-12-24\n7777 3 2026-01-01\n500 2 2026-12-24\n', 'both tabs\' games are kept: ' + JSON.stringify(Table));
  Check(await Stored(Shell, 'skyrend.scores.bad') === '7777 3 2026-01-01\ngarbage\n', 'the damaged table is kept aside');

  // The browser reports one pad that can vibrate; the test notes each effect asked of it.
  const Pad = await OpenPage(Browser, Server, { Module: 'skyrend-test', Before: () => {
    window.Effects = [];
    const Actuator = { playEffect: (Type, P) => { window.Effects.push([Type, P.duration, P.strongMagnitude]); return Promise.resolve('complete'); } };
    const Stick = { id: 'test pad', index: 0, connected: true, mapping: 'standard', timestamp: 1, axes: [0, 0],
                    buttons: Array.from({ length: 12 }, () => ({ pressed: false, value: 0 })), vibrationActuator: Actuator };
    navigator.getGamepads = () => [Stick];
  } });
  await Pad.evaluate(() => Module.ccall('SkyrendStartShell', 'number', [], []));
  // Hit once the game has stepped a few frames (the pad is opened by then).
  const Frame = () => Pad.evaluate(() => Module.ccall('SkyrendShellFrame', 'number', [], []));
  await WaitFor(Frame, Count => Count > 10);
  await Pad.evaluate(() => Module.ccall('SkyrendShellHit', null, [], []));
  await WaitFor(() => Pad.evaluate(() => window.Effects.length), Count => Count > 0);
  await Sleep(300);  // room for an unwanted second effect to show
  const Effects = await Pad.evaluate(() => window.Effects);
  Check(JSON.stringify(Effects) === '[["dual-rumble",200,0.6]]', 'a hit vibrates the pad briefly: ' + JSON.stringify(Effects));
  return Failed();
});
