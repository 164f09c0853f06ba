// No heap allocation per frame: steady title and play frames, trace included,
// run with a counting global operator new.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "GlDriverStack.h"
#include "HeadlessContext.h"
#include "HeadlessHost.h"
#include "TraceSupport.h"

namespace {
std::atomic<long> Allocations{0};
}  // namespace

// The game's allocations: the GL driver compiles shader variants whenever it
// meets new drawing state, which the game does not control.
__attribute__((noinline)) void* operator new(std::size_t Size) {
  if (!CalledFromGlDriver()) Allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(Size ? Size : 1)) return p;
  throw std::bad_alloc();
}
// All kept out of line: inlined into a caller at -O3, GCC pairs the malloc of
// the one with the sized operator delete and warns of a mismatch.
__attribute__((noinline)) void operator delete(void* p) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

// Allocations made by Frames more frames of Sim, each with its trace line.
long AllocationsOver(THeadlessHost& Sim, int Frames) {
  const long Before = Allocations.load();
  for (int i = 0; i < Frames; ++i) {
    if (!Sim.Step()) return -1;
    Sim.TraceLine();
  }
  return Allocations.load() - Before;
}

}  // namespace

TEST(Allocation, TheCounterSeesAnAllocation) {
  const long Before = Allocations.load();
  auto Block = std::make_unique<std::array<char, 64>>();
  volatile char* Sink = Block->data();
  (void)Sink;
  EXPECT_EQ(Allocations.load() - Before, 1);
}

TEST(Allocation, SteadyTitleAndPlayFramesAllocateNothing) {
  // Title for 100 frames, then play with fire held and a turn: aliens come,
  // shoot and get shot, fragments fly. Every game is recorded, as in the game.
  PrimeStackWalk();
  THeadlessContext Context(320, 240);
  THeadlessPlayer Player;
  Player.RecordGames = true;
  THeadlessHost Sim(320, 240, DefaultProgramFolder(), ParseScript("105 down 90\n105 down 39\n"), 16, Player);
  ASSERT_GE(AllocationsOver(Sim, 20), 0);  // start-up loads the models
  EXPECT_EQ(AllocationsOver(Sim, 60), 0) << "title frames 21 to 80";
  ASSERT_GE(AllocationsOver(Sim, 400), 0);
  EXPECT_EQ(AllocationsOver(Sim, 800), 0) << "play frames 481 to 1280";
  EXPECT_GT(TraceInt(Sim.TraceLine(), "score"), 0);
  EXPECT_EQ(TraceInt(Sim.TraceLine(), "title"), 0);
}
