// The benchmark's game, written once for skyrend-bench and the page's bench:
// the title, then play with the busy scene staged before every frame, in
// colour and then in the wireframe scheme. Each part is warmed up untimed and
// then handed to the caller to time.
#pragma once
#include <functional>
#include <string>

class THeadlessHost;

enum class TBenchPart { Title, Busy, Wireframe };

// The script of the benchmark's game: play starts at frame PlayFrom (Z) with a turn held from then on.
std::string BenchScript(long PlayFrom);
// Stages what Part's next frame needs (nothing on the title).
void StageBenchPart(THeadlessHost& Sim, TBenchPart Part);
// One frame; std::runtime_error when the game ended.
void StepBench(THeadlessHost& Sim);
// After start-up: TitleWarmUp title frames, Measure(Title); the frames up to
// PlayFrom and 100 more with the busy scene, Measure(Busy); 20 wireframe
// frames, Measure(Wireframe). Measure times frames of its own, each after
// StageBenchPart(Part). std::runtime_error when the title's frames ran into play.
void RunBenchParts(THeadlessHost& Sim, long PlayFrom, int TitleWarmUp, const std::function<void(TBenchPart)>& Measure);
