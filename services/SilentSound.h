// A sound service that plays nothing: the world's when it is given none, and
// a replay's that plays with the sound off.
#pragma once
#include "Services.h"

class TSilentSound : public ISoundService {
 public:
  void Play(int) override {}
  void Stop(int) override {}
  void SetPan(int, int) override {}
  void RestartSound(int) override {}
};
