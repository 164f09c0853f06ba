// The page keeps the player's settings and scores in localStorage, in the
// desktop files' text: a stored table gives the high score at start (read
// past a NUL, never cut there) and its damaged line is named on the console; M mutes and is kept as `muted` with
// the other stored lines as they were; a browser asking for reduced motion
// has reduced flashing until the player sets it; two open tabs ending games at the
// same moment keep both (20 rounds); a game that ends while another tab
// holds the table too long is said and saved with the next; a damaged table,
// however large, is kept aside with at most ten warnings. A pad that can
// vibrate does so briefly when the player is hit.
// usage: node test_player_store.js WEB_BUILD
'use strict';
const { OpenPage, RunInBrowser, Sleep, WaitFor, Check, Failed } = require('./Browser');

const [WebBuild] = process.argv.slice(2);

// Stored before the page's scripts run, once: a reload keeps what the page wrote.
function Seed() {
  if (sessionStorage.getItem('seeded')) return;
  sessionStorage.setItem('seeded', '1');
  localStorage.setItem('skyrend.scores', 'garb\u0000age\n7777 3 2026-01-01\n');
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
  const Named = L => L.includes('localStorage skyrend.scores:1: holds a control byte; skipped');
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

  // A browser that asks for reduced motion: reduced flashing is on while the
  // stored text has no line for it, and a change of another setting keeps it out.
  const ShellSettings = Tab => Tab.evaluate(() => Module.ccall('SkyrendShellSettings', 'string', [], []));
  const Plain = await ShellSettings(Shell);
  const Reduced = await OpenPage(Browser, Server, { Module: 'skyrend-test',
                                                    Media: [{ name: 'prefers-reduced-motion', value: 'reduce' }] });
  await Reduced.evaluate(() => Module.ccall('SkyrendStartShell', 'number', [], []));
  const Asked = await ShellSettings(Reduced);
  await Reduced.focus('#canvas');
  await Reduced.keyboard.press('KeyM');
  const Unmuted = await WaitFor(() => Stored(Reduced, 'skyrend.settings'), Text => /muted = no/.test(Text));
  Check(/reduce_flashing=0/.test(Plain) && /reduce_flashing=1/.test(Asked) && /muted = no/.test(Unmuted) &&
        !/reduce_flashing/.test(Unmuted),
        `reduced motion turns reduced flashing on ("${Plain}", then "${Asked}"), unsaved: ${JSON.stringify(Unmuted)}`);
  await Reduced.close();

  // Two tabs open, each ends a game at the same moment: the merges take
  // turns under the page's Web Lock, so both games are kept, every time.
  const Other = await OpenPage(Browser, Server, { Module: 'skyrend-test' });
  const Add = (Tab, Score) => Tab.evaluate(async S => {
    const Before = (Module.StoreSaves || []).length;
    Module.ccall('SkyrendStoreAddScore', null, ['number', 'number'], [S, 2]);
    while ((Module.StoreSaves || []).length === Before) await new Promise(Resolve => setTimeout(Resolve, 5));
    return Module.StoreSaves[Before];
  }, Score);
  const AtOnce = (A, B) => Promise.all([Add(Shell, A), Add(Other, B)]);
  const Both = await AtOnce(500, 9000);
  Check(Both.every(Outcome => /^saved/.test(Outcome)), 'both games are saved: ' + JSON.stringify(Both));
  const Table = await Stored(Shell, 'skyrend.scores');
  Check(Table === '9000 2 2026-12-24\n7777 3 2026-01-01\n500 2 2026-12-24\n',
        'both tabs\' games are kept: ' + JSON.stringify(Table));
  Check(await Stored(Shell, 'skyrend.scores.bad') === 'garb\u0000age\n7777 3 2026-01-01\n',
        'the damaged table is kept aside whole, its NUL too');
  let Kept = 0;
  for (let Round = 0; Round < 20; ++Round) {
    await WatchWrites(Other, 'skyrend.scores');
    await Shell.evaluate(() => localStorage.setItem('skyrend.scores', ''));
    await SeenWrite(Other);  // both tabs start from the empty table
    await AtOnce(100 + Round, 200 + Round);
    const Now = await Stored(Shell, 'skyrend.scores');
    if (Now === `${200 + Round} 2 2026-12-24\n${100 + Round} 2 2026-12-24\n`) ++Kept;
  }
  console.log(`two tabs ending games at once: both kept ${Kept} of 20`);
  Check(Kept === 20, `two tabs ending games at once keep both, ${Kept} of 20`);

  // Another tab holds the table's lock past the wait: the game is not saved,
  // the reason is given, and the game is saved with the next one.
  await Other.evaluate(() => new Promise(Granted => navigator.locks.request('skyrend.scores', () => {
    Granted();
    return new Promise(Resolve => setTimeout(Resolve, 4000));
  })));
  const Busy = await Add(Shell, 700);
  Check(Busy === 'another tab holds the score table; tried again with the next game',
        'a held lock is waited for, then said: ' + Busy);
  await Other.evaluate(() => navigator.locks.request('skyrend.scores', () => {}));  // the hold is over
  const Next = await Add(Shell, 600);
  const Retried = await Stored(Shell, 'skyrend.scores');
  Check(Next === 'saved 4' && /^700 2 .*\n600 2 /.test(Retried),
        'the game not saved is saved with the next: ' + JSON.stringify(Retried));

  // A large damaged table: ten warnings and a count, and it is kept aside whole.
  const StartShell = Tab => Tab.evaluate(() => {
    const Start = performance.now();
    Module.ccall('SkyrendStartShell', 'number', [], []);
    return performance.now() - Start;
  });
  const PlainMs = await StartShell(await OpenPage(Browser, Server, { Module: 'skyrend-test' }));
  const Large = Array.from({ length: 100000 }, (_, i) => `damaged line ${i} xxxxxxxx`).join('\n') + '\n';
  await Shell.evaluate(Text => {
    for (const Key of Object.keys(localStorage)) if (Key.startsWith('skyrend.scores')) localStorage.removeItem(Key);
    localStorage.setItem('skyrend.scores', Text);
  }, Large);
  const Big = await OpenPage(Browser, Server, { Module: 'skyrend-test' });
  const StartMs = await StartShell(Big);
  console.log(`start with a damaged table of 100000 lines (${Large.length} characters): ${StartMs.toFixed(0)} ms, ` +
              `with a small table ${PlainMs.toFixed(0)} ms`);
  const Warned = Big.Lines.filter(L => L.includes('localStorage skyrend.scores:'));
  Check(Warned.length === 11 && /and 99990 more/.test(Warned[10]),
        'the large table warns ten times and counts the rest: ' + Warned.length + ' ' + Warned[10]);
  const Large0 = await Add(Big, 300);
  Check(/^saved 1$/.test(Large0), 'a game merged into the large damaged table is saved: ' + Large0);
  Check(await Stored(Big, 'skyrend.scores.bad') === Large, 'the large damaged table is kept aside whole');

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
