// What a first visit to the page costs, on this machine's loopback: the bytes
// over the wire (as tools/serve sends them, compressed, and with every
// encoding refused) and the time from navigation to the first picture the
// game draws (the title). Each visit in a fresh browser profile, so nothing
// comes from a cache or the offline copy. Figures, not pass or fail.
// usage: node measure_page.js WEB_BUILD [VISITS]
'use strict';
const http = require('http');
const path = require('path');
const { Launch } = require('./Browser');
const { Handler } = require(path.resolve(__dirname, '../../../tools/serve/serve.js'));

async function Visit(Browser, Port) {
  const Context = await Browser.createBrowserContext();
  const Page = await Context.newPage();
  await Page.setViewport({ width: 1366, height: 657 });
  const Cdp = await Page.target().createCDPSession();
  await Cdp.send('Network.enable');
  await Cdp.send('Network.setCacheDisabled', { cacheDisabled: true });
  let Wire = 0;
  const Files = {};
  const Names = {};
  Cdp.on('Network.responseReceived', Event => { Names[Event.requestId] = path.basename(new URL(Event.response.url).pathname); });
  Cdp.on('Network.loadingFinished', Event => {
    Wire += Event.encodedDataLength;
    Files[Names[Event.requestId]] = Event.encodedDataLength;
  });
  await Page.goto(`http://127.0.0.1:${Port}/skyrend.html`);
  await Page.waitForFunction("performance.getEntriesByName('skyrend-first-frame').length > 0", { timeout: 60000 });
  const Marks = await Page.evaluate(() => ['skyrend-files-loaded', 'skyrend-runtime-ready', 'skyrend-first-frame']
    .map(Name => (performance.getEntriesByName(Name)[0] || { startTime: NaN }).startTime));
  await Context.close();
  return { Wire, FirstFrame: Marks[2], Marks, Files };
}

async function Main() {
  const [WebBuild, VisitsText = '3'] = process.argv.slice(2);
  const Files = Handler(WebBuild);
  const Servers = {
    compressed: http.createServer(Files),
    uncompressed: http.createServer((Request, Response) => {
      delete Request.headers['accept-encoding'];
      Files(Request, Response);
    }),
  };
  for (const Server of Object.values(Servers)) await new Promise(Resolve => Server.listen(0, '127.0.0.1', Resolve));
  const Browser = await Launch();
  try {
    for (const [Kind, Server] of Object.entries(Servers)) {
      const Runs = [];
      for (let i = 0; i < Number(VisitsText); ++i) Runs.push(await Visit(Browser, Server.address().port));
      const Times = Runs.map(Run => Run.FirstFrame).sort((A, B) => A - B);
      const Median = Times[Math.floor(Times.length / 2)];
      console.log(`${Kind}: ${(Runs[0].Wire / 1e6).toFixed(3)} MB over the wire; first picture after ` +
                  `${Median.toFixed(0)} ms (median of ${Times.length}: ${Times.map(T => T.toFixed(0)).join(', ')})`);
      console.log('  ' + Object.entries(Runs[0].Files).map(([Name, Bytes]) => `${Name} ${Bytes}`).join(', '));
      console.log('  files loaded, runtime ready, first picture (ms): ' +
                  Runs.map(Run => Run.Marks.map(T => T.toFixed(0)).join('/')).join('; '));
    }
  } finally {
    await Browser.close();
    for (const Server of Object.values(Servers)) Server.close();
  }
}

Main().catch(Error => {
  console.error(Error);
  process.exit(1);
});
