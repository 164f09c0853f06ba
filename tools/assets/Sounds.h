// The six sound clips of the game, synthesised from oscillators, noise,
// envelopes and sweeps. Each clip has a fixed format and a fixed number of
// data bytes; short events fade to silence well before the clip ends,
// because the game always plays a clip through its full length.
#pragma once
#include <cstdint>
#include <vector>

#include "Wav.h"

// What a clip is made to: its name, wave format, data size and whether it loops.
struct TClipRecipe {
  const char* Name;
  TWaveFormat Format;
  int DataBytes;
  bool Looped;
};

constexpr int kClipCount = 6;

// The clip of wave-item index 0..5 ("MeShoot", "MeHitObstacle", "AlienHit",
// "RockertHit", "RocketHum", "ShotObstacle"). Throws std::out_of_range otherwise.
const TClipRecipe& ClipRecipe(int Index);
// Samples in -1..1, exactly as many as the clip's data bytes hold.
std::vector<float> SynthesiseClip(int Index);
// The complete RIFF WAVE file of the clip.
std::vector<uint8_t> BuildClipWave(int Index);
