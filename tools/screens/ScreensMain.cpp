// skyrend-screens: the real game on the headless GL, staged into the moments
// the host draws its own screens over, each saved as a PNG for a look:
//   skyrend-screens OUTDIR [WIDTHxHEIGHT]
// title-scores, game-over-flash, game-over, new-high-score, paused-options, paused-tapped,
// hit-tint-reduced, game-over-reduced. Exit code 2 for bad arguments, 1 when
// a picture cannot be written.
#include <cstdio>
#include <exception>
#include <string>

#include "GameHost.h"
#include "InputStream.h"
#include "HeadlessContext.h"
#include "FrameInput.h"
#include "HeadlessHost.h"
#include "HostScreens.h"
#include "PauseLayout.h"
#include "SizeText.h"
#include "frmMainGL.h"

namespace {

constexpr uint16_t VkZ = 90, VkDown = 40, VkRight = 39;

class TPictureShell : public IHostShell {
 public:
  void Present() override {}
  void PauseChanged(bool) override {}
};

// The centre of a box of the pause screen as a shell reports a press: y down.
void PressAt(TGameHost& Host, const TBox& Box, int Height) {
  Host.Press(int((Box.X0 + Box.X1) / 2), Height - 1 - int((Box.Y0 + Box.Y1) / 2));
}

TScoreTable SampleTable() {
  const int Scores[] = {98500, 76000, 52500, 40000, 33500, 21000, 15500, 9000, 4500, 1500};
  TScoreTable Table;
  for (int i = 0; i < 10; ++i) Table.push_back({Scores[i], 9 - i * 8 / 10, "2026-11-" + std::to_string(20 + i)});
  return Table;
}

}  // namespace

int main(int argc, char** argv) {
  int W = 1024, H = 768;
  if (argc < 2 || argc > 3 || (argc == 3 && ReadSizeText(argv[2], 1, W, H) != TSizeRead::Read) || W < 64 || H < 48) {
    std::fprintf(stderr, "usage: skyrend-screens OUTDIR [WIDTHxHEIGHT]\n");
    return 2;
  }
  const std::string Out = argv[1];
  try {
    THeadlessContext Context(W, H);
    TFakeTicks Wall;
    TPictureShell Shell;
    THostPlatform P;
    P.WallClock = &Wall;
    P.Shell = &Shell;
    P.ProgramFolder = DefaultProgramFolder();
    P.Width = W;
    P.Height = H;
    P.HostScreens = true;
    P.Scores = SampleTable();
    P.Today = [] { return std::string("2026-12-07"); };
    TGameHost Host(P);
    Host.Resize(W, H);
    const TWorldState& Form = Host.World();
    bool Written = true;
    auto Shot = [&](const char* Name) {
      const std::string Path = Out + "/" + Name + ".png";
      if (!Context.WritePng(Path)) {
        std::fprintf(stderr, "skyrend-screens: cannot write %s\n", Path.c_str());
        Written = false;
      }
    };
    auto Frame = [&] {
      Wall.Now += 16;
      Host.Frame();
    };
    // Three hits at once, with the score and level (-1 keeps it) the game over shows.
    auto StageGameOver = [&](int32_t Score, int32_t Level) {
      TInputStream& Stream = Host.Stream();
      Stream.Stage(TStaging::Score, Score);
      if (Level >= 0) Stream.Stage(TStaging::Level, Level);
      for (int i = 0; i < 3; ++i) Stream.Stage(TStaging::Hit);
    };
    auto PlayUntilGameOver = [&](int32_t Score) {
      while (!Form.OnTitleScreen || Form.TitleFrames <= 101) Frame();
      Host.KeyDown(VkZ);
      Host.KeyUp(VkZ);
      Frame();
      for (int i = 0; i < 30; ++i) Frame();
      StageGameOver(Score, 3);
      Frame();  // the game over begins at the end of this frame
    };

    Frame();  // start-up
    while (Form.TitleFrames < TitleLogoFrames + 40) Frame();
    Shot("title-scores");

    PlayUntilGameOver(36000);
    Frame();
    Shot("game-over-flash");
    while (Form.GameOverTimer > 85) Frame();
    Shot("game-over");

    PlayUntilGameOver(123450);
    for (int i = 0; i < 12; ++i) Frame();
    Shot("new-high-score");

    // Paused in play, after the options were walked to the mouse speed and changed.
    while (!Form.OnTitleScreen || Form.TitleFrames <= 101) Frame();
    Host.KeyDown(VkZ);
    Host.KeyUp(VkZ);
    for (int i = 0; i < 60; ++i) Frame();
    Host.TogglePause();
    Frame();
    for (uint16_t Vk : {VkDown, VkDown, VkRight, VkRight}) Host.KeyDown(Vk);
    Host.ShowNotice("Saved picture ~/Pictures/Skyrend/skyrend-20261207-183000.png");
    Host.DrawPauseScreen(W, H);
    Shot("paused-options");
    // Clicks or taps: the volume down a step and reduced flashing on; the notice has gone.
    const TPauseLayout Layout(W, H, Host.Options().Count(), int(GameKeys(true).size()));
    PressAt(Host, Layout.Less(0), H);
    PressAt(Host, Layout.More(4), H);
    Wall.Now += NoticeMs;
    Host.DrawPauseScreen(W, H);
    Shot("paused-tapped");
    PressAt(Host, Layout.PlayOn, H);

    TSettings Reduced = Host.Settings();
    Reduced.ReduceFlashing = true;
    Host.ChangeSettings(Reduced);
    Frame();
    Host.Picture().ShowHitTint();
    Frame();
    Shot("hit-tint-reduced");
    StageGameOver(500, -1);
    for (int i = 0; i < 20; ++i) Frame();
    Shot("game-over-reduced");
    Host.ReleaseScreens();
    return Written ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skyrend-screens: %s\n", e.what());
    return 1;
  }
}
