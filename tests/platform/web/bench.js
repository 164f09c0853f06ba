// Frame rates of the busy scene in the page (headless Chromium, WebGL 2 on
// SwiftShader unless a GPU is there), to read beside skyrend-bench's native
// figures. Figures, not pass or fail. usage: node bench.js WEB_BUILD [WxH]
'use strict';
const { Serve, Launch, OpenPage } = require('./Browser');

async function Main() {
  const [WebBuild, SizeText = '1024x768'] = process.argv.slice(2);
  const [Width, Height] = SizeText.split('x').map(Number);
  const Server = await Serve(WebBuild);
  const Browser = await Launch();
  try {
    const Page = await OpenPage(Browser, Server, { Module: 'skyrend-test' });
    const Code = await Page.evaluate((W, H) => Module.ccall('SkyrendBench', 'number', ['number', 'number'], [W, H]),
                                     Width, Height);
    for (const Line of Page.Lines) console.log(Line.replace(/^(log|warn|warning): /, ''));
    process.exitCode = Code;
  } finally {
    await Browser.close();
    Server.close();
  }
}

Main().catch(Error => {
  console.error(Error);
  process.exit(1);
});
