// A scene kept as busy as the game can be: all twenty aliens and five rockets
// in play around the player, every fragment flying, and the player firing.
// Restaged before each frame; the player never loses, so the scene stays.
#pragma once

class TFormMain;

// Puts every waiting alien and rocket back into play near the player, throws
// every free fragment and clears the hit and kill counters.
void StageBusyScene(TFormMain& Form);

// What is in play now, for the report.
struct TSceneCount {
  int Aliens = 0, Rockets = 0, PlayerShots = 0, AlienShots = 0, Fragments = 0;
};
TSceneCount CountScene(const TFormMain& Form);

// One frame of the benchmarks' baseline, the bare context's cost: clear, one
// full-screen quad whose colour alternates with Frame. Sets no state; the
// caller gives an identity projection and model-view, without lighting,
// depth test, culling or texture.
void DrawBaselineFrame(int Frame);
