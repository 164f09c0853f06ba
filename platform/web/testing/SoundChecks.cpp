// Checks of the sound service on the browser's own OpenAL (Web Audio), for
// the page's tests: copies, the one looping instance, stop and restart; and
// the hum played alone for a probe of the page's output.
#include <emscripten.h>

#include <memory>
#include <string>

#include "ClipConversion.h"
#include "SoundClips.h"
#include "WebSound.h"

namespace {

std::string Run(TWebSound& Sound) {
  if (!Sound.IsOpen()) return "no audio device";
  Sound.Play(WaveMeShoot);
  Sound.Play(WaveMeShoot);
  if (Sound.PlayingCopies(WaveMeShoot) != 2) return "two plays of a one-shot item are not two copies";
  Sound.Stop(WaveMeShoot);
  if (Sound.PlayingCopies(WaveMeShoot) != 0) return "Stop left a copy playing";
  Sound.SetPan(WaveRocketHum, -10000);
  Sound.Play(WaveRocketHum);
  Sound.Play(WaveRocketHum);
  if (Sound.PlayingCopies(WaveRocketHum) != 1) return "the looped item plays more than one instance";
  Sound.RestartSound(WaveAlienHit);
  Sound.RestartSound(WaveAlienHit);
  if (Sound.PlayingCopies(WaveAlienHit) != 1) return "RestartSound let two copies play";
  Sound.Stop(WaveRocketHum);
  if (Sound.PlayingCopies(WaveRocketHum) != 0) return "the hum did not stop";
  return "";
}

}  // namespace

// "" when every check passes, else what failed.
extern "C" EMSCRIPTEN_KEEPALIVE const char* SkyrendSoundChecks() {
  static std::string Result;
  std::array<TClipData, WaveItemCount> Clips{};
  for (int i = 0; i < WaveItemCount; ++i) Clips[i] = {GetSoundClip(i).Data, GetSoundClip(i).Size};
  TWebSound Sound(Clips);
  Result = Run(Sound);
  return Result.c_str();
}

// The game's hum alone on the page's device, so a test can read what the page
// plays at a hum's start, loop and stop: 0 starts it and says the loop's own
// largest step, 1 queues what is due (once a display frame), 2 stops it, 3
// closes the device.
extern "C" EMSCRIPTEN_KEEPALIVE int SkyrendSoundHum(int Step) {
  static std::unique_ptr<TWebSound> Sound;
  if (Step == 0) {
    std::array<TClipData, WaveItemCount> Clips{};
    for (int i = 0; i < WaveItemCount; ++i) Clips[i] = {GetSoundClip(i).Data, GetSoundClip(i).Size};
    Sound = std::make_unique<TWebSound>(Clips);
    Sound->Play(WaveRocketHum);
    return LargestStep(Sound->Clip(WaveRocketHum), 1, true);
  }
  if (!Sound) return 0;
  if (Step == 1) Sound->Pump(emscripten_get_now());
  if (Step == 2) Sound->Stop(WaveRocketHum);
  if (Step == 3) Sound.reset();
  return 0;
}
