// The mouse through the script's mouse verb, the way the game window hands it
// on: the pointer starts at the centre, a frame's motion is one mouse move,
// and a wrap at the edge keeps the pointer's height.
#include <gtest/gtest.h>

#include "HeadlessContext.h"
#include "HeadlessHost.h"
#include "WorldState.h"
#include "ScriptFormat.h"

namespace {

constexpr int W = 320, H = 240;

// Runs the game up to and including frame Frames.
void StepTo(THeadlessHost& Game, long Frames) {
  while (Game.Frame() < Frames) ASSERT_TRUE(Game.Step());
}

int ActiveShots(const TWorldState& Form) {
  int N = 0;
  for (const auto& S : *Form.PlayerShots) N += S->Active;
  return N;
}

std::vector<TScriptEvent> Script(const std::string& Text) { return ParseScript(Text); }

}  // namespace

// Thirty one-pixel drags with the left button within one frame are one mouse
// move: one shot, and the whole turn.
TEST(MouseInput, AFramesMotionIsOneMouseMove) {
  std::string Text;
  for (int i = 0; i < 30; ++i) Text += "20 mouse 1 0 left\n";
  THeadlessContext Context(W, H);
  THeadlessHost Game(W, H, DefaultProgramFolder(), Script(Text));
  StepTo(Game, 19);
  const TWorldState& F = Game.World();
  const float Heading = F.Player->Rotation.y;
  StepTo(Game, 20);
  EXPECT_EQ(ActiveShots(F), 1);
  EXPECT_FLOAT_EQ(F.Player->Rotation.y, Heading + 30);
  EXPECT_EQ(F.LastMouseX, W / 2 + 30);
}

// Holding the right button and moving up raises the speed from the very first
// move, and still does after the pointer has wrapped from the left edge.
TEST(MouseInput, MovingUpWithTheRightButtonRaisesTheSpeedAlsoAfterAWrap) {
  THeadlessContext Context(W, H);
  THeadlessHost Game(W, H, DefaultProgramFolder(),
                    Script("20 mouse 0 -5 right\n"
                         "30 mouse -200 0\n"   // past the left edge: wraps to the right edge
                         "40 mouse -3 0\n"     // measured from the right edge, no second wrap
                         "50 mouse 0 -5 right\n"));
  StepTo(Game, 19);
  const TWorldState& F = Game.World();
  const float Heading = F.Player->Rotation.y;
  StepTo(Game, 20);
  EXPECT_FLOAT_EQ(F.Player->Speed, 0.3f);
  StepTo(Game, 30);
  EXPECT_EQ(Game.Game.Pointer().X(), W);
  EXPECT_EQ(Game.Game.Pointer().Y(), H / 2 - 5);
  StepTo(Game, 40);
  EXPECT_EQ(Game.Game.Pointer().X(), W - 3);
  EXPECT_FLOAT_EQ(F.Player->Rotation.y, Heading - 203);
  StepTo(Game, 50);
  EXPECT_FLOAT_EQ(F.Player->Speed, 0.6f);
}
