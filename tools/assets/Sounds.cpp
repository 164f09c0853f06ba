#include "Sounds.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr double kTwoPi = 6.283185307179586;

const TClipRecipe kClips[kClipCount] = {
    {"MeShoot", {22050, 16, 1}, 55118, false},     {"MeHitObstacle", {22050, 16, 1}, 61138, false},
    {"AlienHit", {22050, 16, 1}, 37876, false},    {"RockertHit", {22050, 16, 1}, 29116, false},
    {"RocketHum", {8000, 8, 1}, 4003, true},       {"ShotObstacle", {22050, 16, 1}, 93690, false},
};

// A fixed-seed noise source, so every build makes the same clips.
class TNoise {
 public:
  explicit TNoise(uint32_t Seed) : state_(Seed) {}
  // Uniform in -1..1.
  double Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return double(state_) / 2147483648.0 - 1.0;
  }

 private:
  uint32_t state_;
};

// One-pole low-pass filter; Cutoff in Hz.
class TLowPass {
 public:
  double Step(double In, double Cutoff, double Rate) {
    const double a = 1.0 - std::exp(-kTwoPi * Cutoff / Rate);
    y_ += a * (In - y_);
    return y_;
  }

 private:
  double y_ = 0;
};

// 1 until End - Length, then a raised-cosine fall to 0 at End, 0 afterwards.
double FadeOut(double T, double End, double Length) {
  if (T >= End) return 0;
  if (T <= End - Length) return 1;
  return 0.5 + 0.5 * std::cos(kTwoPi * 0.5 * (T - (End - Length)) / Length);
}

// Short linear rise that keeps the first sample at 0 (no click at the start).
double Attack(double T, double Length) { return T >= Length ? 1.0 : T / Length; }

void Normalise(std::vector<float>& Samples, double Peak) {
  double largest = 0;
  for (float s : Samples) largest = std::max(largest, double(std::fabs(s)));
  if (largest <= 0) return;
  for (float& s : Samples) s = float(s * Peak / largest);
}

// A laser shot: a falling sweep with a buzzy edge, gone after a third of a second.
void MeShoot(std::vector<float>& Out, double Rate) {
  double phase = 0, phase2 = 0;
  for (size_t n = 0; n < Out.size(); ++n) {
    const double t = double(n) / Rate;
    const double f = 280.0 + 1900.0 * std::exp(-t / 0.06);
    phase += kTwoPi * f / Rate;
    phase2 += kTwoPi * f * 1.503 / Rate;
    const double tone = std::tanh(2.5 * std::sin(phase)) * 0.7 + 0.3 * std::sin(phase2);
    Out[n] = float(tone * Attack(t, 0.003) * std::exp(-t / 0.09) * FadeOut(t, 0.34, 0.12));
  }
}

// A dull bump: a low falling thump under a puff of dark noise.
void MeHitObstacle(std::vector<float>& Out, double Rate) {
  TNoise noise(0x1234567u);
  TLowPass dark, darker;
  double phase = 0;
  for (size_t n = 0; n < Out.size(); ++n) {
    const double t = double(n) / Rate;
    phase += kTwoPi * (45.0 + 75.0 * std::exp(-t / 0.05)) / Rate;
    const double thump = std::sin(phase) * std::exp(-t / 0.10);
    const double puff = darker.Step(dark.Step(noise.Next(), 500, Rate), 500, Rate) * 3.0 * std::exp(-t / 0.035);
    Out[n] = float((thump + puff) * Attack(t, 0.002) * FadeOut(t, 0.5, 0.2));
  }
}

// A burst: crackling noise with a falling square-wave zap.
void AlienHit(std::vector<float>& Out, double Rate) {
  TNoise noise(0xBADC0DEu);
  TLowPass body;
  double phase = 0, held = 0;
  for (size_t n = 0; n < Out.size(); ++n) {
    const double t = double(n) / Rate;
    if (n % 7 == 0) held = noise.Next();  // sample-and-hold gives the crackle
    const double crackle = body.Step(held, 3000, Rate) * std::exp(-t / 0.13);
    phase += kTwoPi * (110.0 + 900.0 * std::exp(-t / 0.08)) / Rate;
    const double zap = (std::sin(phase) >= 0 ? 0.5 : -0.5) * std::exp(-t / 0.12);
    Out[n] = float((crackle + zap) * Attack(t, 0.002) * FadeOut(t, 0.62, 0.25));
  }
}

// An explosion: noise whose brightness falls away into a rumble, over a low boom.
void RockertHit(std::vector<float>& Out, double Rate) {
  TNoise noise(0xE8A10DEu);
  TLowPass first, second;
  double phase = 0;
  for (size_t n = 0; n < Out.size(); ++n) {
    const double t = double(n) / Rate;
    const double cutoff = 150.0 + 2800.0 * std::exp(-t / 0.08);
    const double rumble = second.Step(first.Step(noise.Next(), cutoff, Rate), cutoff, Rate) * 2.2;
    phase += kTwoPi * (38.0 + 40.0 * std::exp(-t / 0.1)) / Rate;
    const double boom = 0.6 * std::sin(phase) * std::exp(-t / 0.16);
    Out[n] = float((rumble * std::exp(-t / 0.17) + boom) * Attack(t, 0.004) * FadeOut(t, 0.6, 0.25));
  }
}

// The rocket's hum. Every part is a whole number of cycles over the clip, so
// the last sample runs smoothly into the first when the clip loops.
void RocketHum(std::vector<float>& Out) {
  const double length = double(Out.size());
  TNoise noise(0x0C0FFEEu);
  std::vector<double> hissAmp, hissPhase;
  for (int k = 100; k <= 350; ++k) {
    hissAmp.push_back(0.02 * (1.0 + noise.Next()));
    hissPhase.push_back(kTwoPi * noise.Next());
  }
  for (size_t n = 0; n < Out.size(); ++n) {
    const double x = kTwoPi * double(n) / length;  // one turn over the whole clip
    double buzz = 0;
    for (int h = 1; h <= 9; ++h) buzz += std::sin(30.0 * h * x + 0.7 * h) / h;  // ~60 Hz saw
    double hiss = 0;
    for (size_t i = 0; i < hissAmp.size(); ++i) hiss += hissAmp[i] * std::sin(double(100 + i) * x + hissPhase[i]);
    const double wobble = 1.0 + 0.25 * std::sin(6.0 * x);  // ~12 Hz throb
    Out[n] = float(buzz * wobble + hiss);
  }
}

// A ricochet: a tick, then a bright whine that slides down and dies away.
void ShotObstacle(std::vector<float>& Out, double Rate) {
  TNoise noise(0x5EED5u);
  double phase = 0;
  for (size_t n = 0; n < Out.size(); ++n) {
    const double t = double(n) / Rate;
    const double f = 1300.0 + 1900.0 * std::exp(-t / 0.22) + 40.0 * std::sin(kTwoPi * 28.0 * t);
    phase += kTwoPi * f / Rate;
    const double whine = std::sin(phase) * Attack(t, 0.008) * std::exp(-t / 0.28);
    const double tick = noise.Next() * std::exp(-t / 0.006);
    Out[n] = float((whine + 0.8 * tick) * Attack(t, 0.0005) * FadeOut(t, 1.1, 0.4));
  }
}

}  // namespace

const TClipRecipe& ClipRecipe(int Index) {
  if (Index < 0 || Index >= kClipCount) throw std::out_of_range("no sound clip of that index");
  return kClips[Index];
}

std::vector<float> SynthesiseClip(int Index) {
  const TClipRecipe& recipe = ClipRecipe(Index);
  std::vector<float> samples(size_t(recipe.DataBytes / (recipe.Format.BitsPerSample / 8)));
  const double rate = recipe.Format.SampleRate;
  // Peak levels chosen by ear so that no cue drowns the others; the hum plays
  // for as long as a rocket flies, so it stays quietest.
  switch (Index) {
    case 0: MeShoot(samples, rate); Normalise(samples, 0.55); break;
    case 1: MeHitObstacle(samples, rate); Normalise(samples, 0.8); break;
    case 2: AlienHit(samples, rate); Normalise(samples, 0.7); break;
    case 3: RockertHit(samples, rate); Normalise(samples, 0.85); break;
    case 4: RocketHum(samples); Normalise(samples, 0.4); break;
    default: ShotObstacle(samples, rate); Normalise(samples, 0.5); break;
  }
  return samples;
}

std::vector<uint8_t> BuildClipWave(int Index) { return EncodeWave(ClipRecipe(Index).Format, SynthesiseClip(Index)); }
