// What the tests read off the player's page from outside, since its build
// carries no entry points: its sound through an instrumented Web Audio
// (installed before the page's scripts run), and the pause sign's pixels.
'use strict';

// Runs in the page before its scripts: keeps every AudioContext the page
// makes (window.TestAudio) and counts the sound buffers it starts playing
// (window.TestSoundStarts). Both only watch; the audio plays as before.
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
  const Start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (...Arguments) {
    ++window.TestSoundStarts;
    return Start.apply(this, Arguments);
  };
}

// The states of the page's audio contexts, e.g. "running" or "suspended".
async function AudioState(Page) {
  return Page.evaluate(() => window.TestAudio.map(Context => Context.state).join(',') || 'none');
}

async function SoundStarts(Page) {
  return Page.evaluate(() => window.TestSoundStarts);
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

module.exports = { PaceCounts, MeasurePace, PaceLine, InstrumentAudio, AudioState, SoundStarts, Pixel, SignPixels, SignFloor, SamePicture };
