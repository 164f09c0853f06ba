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

// The benchmarks' baseline, the bare context's cost: frames of a colour clear
// and one flat full-screen quad whose colour alternates with the frame (the
// depth buffer is left alone). Between BeginBaseline and EndBaseline the
// caller's GL state is kept aside.
void BeginBaseline(int Width, int Height);
void DrawBaselineFrame(int Frame, int Width, int Height);
void EndBaseline();
