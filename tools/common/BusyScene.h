// The benchmarks' busy scene is staged in the world through the input stream
// (TStaging::Busy, restaged before each frame); here is what it puts in play,
// and the bare context's cost to measure it against.
#pragma once

struct TWorldState;

// What is in play now, for the report.
struct TSceneCount {
  int Aliens = 0, Rockets = 0, PlayerShots = 0, AlienShots = 0, Fragments = 0;
};
TSceneCount CountScene(const TWorldState& World);

// The benchmarks' baseline, the bare context's cost: frames of a colour clear
// and one flat full-screen quad whose colour alternates with the frame (the
// depth buffer is left alone). Between BeginBaseline and EndBaseline the
// caller's GL state is kept aside.
void BeginBaseline(int Width, int Height);
void DrawBaselineFrame(int Frame, int Width, int Height);
void EndBaseline();
