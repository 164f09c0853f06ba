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

module.exports = { InstrumentAudio, AudioState, SoundStarts, Pixel, SignPixels, SignFloor, SamePicture };
