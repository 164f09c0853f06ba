#include "DemoCheck.h"

#include <exception>

#include "ModelSet.h"
#include "ScriptFormat.h"

namespace {

// Model messages (a missing texture) are not wanted: the radii need no texture.
class TUnheard : public IMessageSink {
 public:
  void ShowMessage(const std::string&) override {}
};

TDemoCheck Refusal(const std::string& Reason) {
  TDemoCheck C;
  C.Refused = true;
  C.Reason = Reason;
  return C;
}

}  // namespace

TDemoRun::TDemoRun(const std::string& Text, const TModelRadii& Radii) : radii_(Radii) {
  std::vector<TScriptEvent> Events = ParseGameDemo(Text);
  int Width = 0, Height = 0;
  ReadDemoHeader(Text, Width, Height);
  input_ = std::make_unique<TInputPath>(Width, Height);
  input_->Replay(std::move(Events), DemoMsPerFrame);
  world_ = std::make_unique<TWorld>(input_->WorldServices());
}

bool TDemoRun::Step() {
  if (frame_ >= Frames()) return false;
  ++frame_;
  world_->Step(input_->BeginFrame(frame_, 0));
  if (World().StartupPending) world_->StartUp(radii_);
  return true;
}

bool ReadModelRadii(const std::string& Folder, TModelRadii& Radii, std::string& Failure) {
  TUnheard Unheard;
  TModelSet Models;
  Failure = ReadModelSet(Models, Folder, Unheard);
  if (!Failure.empty()) return false;
  Radii = RadiiOf(Models);
  return true;
}

TDemoCheck CheckDemoText(const std::string& Text, const TModelRadii& Radii) {
  std::unique_ptr<TDemoRun> Run;
  try {
    Run = std::make_unique<TDemoRun>(Text, Radii);
  } catch (const std::exception& e) {
    return Refusal(e.what());
  }
  const TWorldState& W = Run->World();
  TDemoCheck C;
  C.Frames = Run->Frames();
  // A kept game's demo holds the whole run from the program's start: the game
  // it was kept for is the one that begins at the frame its header names, not
  // a better one played before it. Without that line, the best game counts.
  const long Kept = ReadDemoGameFrame(Text);
  const auto Note = [&C, &W, Kept] {
    if (Kept == 0 && W.Score <= C.Score) return;
    C.Score = W.Score;
    C.Level = W.Level + 1;
  };
  // Each game's result when its game over begins, and the last game's when the demo ends in play.
  bool Settled = false;
  for (bool Over = false; !Settled && Run->Step(); Over = W.GameOverTimer > 0)
    if (!Over && W.GameOverTimer > 0 && Run->Frame() >= Kept) {
      Note();
      Settled = Kept > 0;
    }
  if (!Settled && !W.OnTitleScreen && W.GameOverTimer == 0) Note();
  return C;
}

TDemoCheck CheckDemoFile(const std::string& Path, const TModelRadii& Radii) {
  std::string Text;
  try {
    Text = ReadScriptText(Path);
  } catch (const std::exception& e) {
    return Refusal(e.what());
  }
  return CheckDemoText(Text, Radii);
}
