// What the tests read off the player's page from outside, since its build
// carries no entry points: its sound through an instrumented Web Audio
// (installed before the page's scripts run), and the pause sign's pixels.
'use strict';

// Runs in the page before its scripts: keeps every AudioContext the page
// makes (window.TestAudio) and reads every buffer of sound it starts: the
// page streams its own mix, so these are what the player hears. It counts
// those that carry sound (window.TestSoundStarts) and keeps figures of the
// whole stream in window.TestSound, in 16-bit steps: frames, samples at full
// scale, the loudest sample, the largest step between neighbouring samples of
// one side, and gaps (a buffer starting later than the last one ends: the
// stream ran dry). Both only watch; the audio plays as before.
function InstrumentAudio() {
  const Real = window.AudioContext;
  window.TestAudio = [];
  window.AudioContext = class extends Real {
    constructor(...Options) {
      super(...Options);
      window.TestAudio.push(this);
    }
  };
  window.TestSoundStarts = 0;
  const Figures = window.TestSound = {};
  const Last = [];
  let End = 0;
  // Starts the figures anew.
  window.TestSoundReset = () => {
    Object.assign(Figures, { Frames: 0, FullScale: 0, Peak: 0, Step: 0, Gaps: 0 });
    Last.length = 0;
    End = 0;
  };
  window.TestSoundReset();
  const Start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (...Arguments) {
    const Buffer = this.buffer;
    const From = Buffer ? Math.round((Arguments[1] || 0) * Buffer.sampleRate) : 0;
    let Loudest = 0;
    for (let c = 0; Buffer && c < Buffer.numberOfChannels; ++c) {
      const Data = Buffer.getChannelData(c);
      for (let i = From; i < Data.length; ++i) {
        const S = Math.round(Data[i] * 32768);
        Loudest = Math.max(Loudest, Math.abs(S));
        if (Math.abs(S) >= 32767) ++Figures.FullScale;
        if (Last[c] !== undefined) Figures.Step = Math.max(Figures.Step, Math.abs(S - Last[c]));
        Last[c] = S;
      }
    }
    if (Buffer) {
      Figures.Frames += Buffer.length - From;
      const When = Math.max(Arguments[0] || 0, this.context.currentTime);
      if (End > 0 && When > End + 0.002) ++Figures.Gaps;
      End = When + (Buffer.length - From) / Buffer.sampleRate;
    }
    Figures.Peak = Math.max(Figures.Peak, Loudest);
    if (Loudest > 32) ++window.TestSoundStarts;
    return Start.apply(this, Arguments);
  };
}

// Runs in the page before its scripts: counts the WebGL calls that make the
// page wait for the GPU (reading state or errors back) inside each display
// frame callback, by name, and times the callbacks. window.TestFrames holds
// Frames, Queries (by name), FramesWithQueries and Ms (each callback's time);
// window.TestFramesReset() starts them anew. The calls behave as before.
function InstrumentFrames() {
  const Waiting = ['getParameter', 'isTexture', 'isEnabled', 'getError', 'getTexParameter', 'getBufferParameter'];
  let InFrame = false, Counted = 0;
  const Figures = window.TestFrames = {};
  window.TestFramesReset = () => Object.assign(Figures, { Frames: 0, Queries: {}, FramesWithQueries: 0, Ms: [] });
  window.TestFramesReset();
  for (const Name of Waiting) {
    const Real = WebGL2RenderingContext.prototype[Name];
    WebGL2RenderingContext.prototype[Name] = function (...Arguments) {
      if (InFrame) {
        ++Counted;
        Figures.Queries[Name] = (Figures.Queries[Name] || 0) + 1;
      }
      return Real.apply(this, Arguments);
    };
  }
  const RealFrame = window.requestAnimationFrame;
  window.requestAnimationFrame = function (Callback) {
    return RealFrame.call(window, Time => {
      const Before = Counted, Start = performance.now();
      InFrame = true;
      try {
        Callback(Time);
      } finally {
        InFrame = false;
        ++Figures.Frames;
        Figures.Ms.push(performance.now() - Start);
        if (Counted > Before) ++Figures.FramesWithQueries;
      }
    });
  };
}

// What InstrumentFrames saw over Ms of display frames: the counts and the
// callbacks' median and 90th percentile in ms.
async function FramesOver(Page, Ms) {
  await Page.evaluate(() => window.TestFramesReset());
  await new Promise(Resolve => setTimeout(Resolve, Ms));
  const F = await Page.evaluate(() => JSON.parse(JSON.stringify(window.TestFrames)));
  const Sorted = F.Ms.sort((A, B) => A - B);
  const At = Part => (Sorted.length ? Sorted[Math.min(Sorted.length - 1, Math.floor(Sorted.length * Part))] : NaN);
  return Object.assign(F, { Median: At(0.5), P90: At(0.9) });
}

// The states of the page's audio contexts, e.g. "running" or "suspended".
async function AudioState(Page) {
  return Page.evaluate(() => window.TestAudio.map(Context => Context.state).join(',') || 'none');
}

// Buffers started that carry sound.
async function SoundStarts(Page) {
  return Page.evaluate(() => window.TestSoundStarts);
}

// In the test module's page, instrumented: the game's hum alone on the page's
// device, played for 1.2 s and stopped. The figures of what the page played,
// with the loop's own largest step (Own). A stream that ran dry (Gaps: the
// machine stalled the page) says nothing of clicks: up to three tries.
async function HumThroughPage(Page) {
  let Figures;
  for (let Try = 0; Try < 3 && !(Figures && Figures.Gaps === 0); ++Try) Figures = await PlayHum(Page);
  return Figures;
}

async function PlayHum(Page) {
  return Page.evaluate(async () => {
    const Call = Step => Module.ccall('SkyrendSoundHum', 'number', ['number'], [Step]);
    const Pump = Ms => new Promise(Done => {
      const Timer = setInterval(() => Call(1), 16);
      setTimeout(() => { clearInterval(Timer); Done(); }, Ms);
    });
    window.TestSoundReset();
    const Own = Call(0);
    await Pump(1200);
    Call(2);
    await Pump(400);
    Call(3);
    return Object.assign({ Own }, window.TestSound);
  });
}

function Pixel(Image, X, Y) {
  const i = (Y * Image.width + X) * 4;
  return [Image.data[i], Image.data[i + 1], Image.data[i + 2]];
}

// Pixels of the pause screen's yellow "PAUSED", in its band under the top of the picture.
function SignPixels(Image) {
  let Count = 0;
  for (let y = Math.floor(Image.height * 0.06); y < Math.floor(Image.height * 0.2); ++y)
    for (let x = 0; x < Image.width; ++x) {
      const [R, G, B] = Pixel(Image, x, y);
      if (R > 200 && G > 150 && G < 240 && B < 120) ++Count;
    }
  return Count;
}

// The least of them a pause screen shows: one pixel of that band in fifty.
function SignFloor(Image) {
  return Image.width * Image.height * 0.14 / 50;
}

function SamePicture(A, B) {
  return A.width === B.width && A.height === B.height && Buffer.compare(A.data, B.data) === 0;
}

// The page's pace counts as its shell last wrote them on the canvas (once a
// second): pictures of the last second, steps and pictures so far, the
// game's clock and the time its schedule gave up after stalls of more than
// five periods, in ms. Steps is null for a page that does not write them.
function PaceCounts(Page) {
  return Page.$eval('#canvas', Canvas => ({
    Fps: Number(Canvas.dataset.fps || 0),
    Steps: Canvas.dataset.steps === undefined ? null : Number(Canvas.dataset.steps),
    Pictures: Number(Canvas.dataset.pictures || 0),
    Clock: Number(Canvas.dataset.clock || 0),
    GivenUp: Number(Canvas.dataset.givenUp || 0),
    Wall: performance.now(),
  }));
}

// Plays Seconds with the page's main thread slowed Rate times (Chromium's
// CPU throttling over the session Cdp), after two to settle; the pictures a
// second of the wall clock, the steps a second of the game's clock, and the
// steps a second of the time not given up after stalls (Kept, 60 when the
// schedule keeps up between stalls). For a page without step counts every
// step was drawn: both are its pictures.
async function MeasurePace(Page, Cdp, Rate, Seconds) {
  await Cdp.send('Emulation.setCPUThrottlingRate', { rate: Rate });
  await new Promise(Resolve => setTimeout(Resolve, 2000));
  const First = await PaceCounts(Page);
  let Summed = 0;
  for (let s = 0; s < Seconds; ++s) {
    await new Promise(Resolve => setTimeout(Resolve, 1000));
    Summed += (await PaceCounts(Page)).Fps;
  }
  const Last = await PaceCounts(Page);
  if (First.Steps === null) return { Rate, Pictures: Summed / Seconds, Steps: Summed / Seconds, Detail: 'every step drawn' };
  const Clock = (Last.Clock - First.Clock) / 1000, Steps = Last.Steps - First.Steps;
  const Pictures = Last.Pictures - First.Pictures, GivenUp = (Last.GivenUp - First.GivenUp) / 1000;
  return { Rate, Pictures: Pictures / ((Last.Wall - First.Wall) / 1000), Steps: Steps / Clock,
           Kept: Steps / (Clock - GivenUp), KeptSeconds: Clock - GivenUp,
           Detail: `${Steps} steps, ${Pictures} pictures, ${Clock.toFixed(1)} s of the game's clock of which ` +
                   `${GivenUp.toFixed(1)} s given up after stalls: ${(Steps / (Clock - GivenUp)).toFixed(1)} steps a second of the rest` };
}

function PaceLine(R) {
  return `CPU slowed ${R.Rate}x: ${R.Pictures.toFixed(1)} pictures a second, ` +
         `${R.Steps.toFixed(1)} steps a second of the game's clock (${R.Detail})`;
}

module.exports = { InstrumentFrames, FramesOver, PaceCounts, MeasurePace, PaceLine, InstrumentAudio, AudioState, SoundStarts, HumThroughPage, Pixel, SignPixels, SignFloor, SamePicture };
