#include "frmMainGL.h"

#include <cstdio>

namespace {

// Where a message goes when the form was given no message service.
class TStderrMessages : public IMessageService {
 public:
  void ShowMessage(const std::string& Text) override { std::fprintf(stderr, "%s\n", Text.c_str()); }
};

// The model library's own messages go to the form's message service.
class TModelMessages : public IMessageSink {
 public:
  explicit TModelMessages(IMessageService& Messages) : messages_(Messages) {}
  void ShowMessage(const std::string& Text) override { messages_.ShowMessage(Text); }

 private:
  IMessageService& messages_;
};

TWorldServices WorldServicesOf(const TServices& S) {
  TWorldServices W;
  W.Ticks = S.Ticks;
  W.Sound = S.Sound;
  W.Cursor = S.Cursor;
  W.ScreenWidth = S.ScreenWidth;
  W.ScreenHeight = S.ScreenHeight;
  return W;
}

}  // namespace

TFormMain::TFormMain(const TServices& Services, int32_t HighScore, std::unique_ptr<TWorld> World)
    : services_(Services),
      world_(World ? std::move(World) : std::make_unique<TWorld>(WorldServicesOf(Services), HighScore)) {}

TFormMain::~TFormMain() = default;

void TFormMain::SetViewSize(int Width, int Height) {
  picture_.SetViewSize(Width, Height);
}

bool TFormMain::FormPaint(const TFrameInput& Input) { return RunFrame(Input, true); }

bool TFormMain::FormStep(const TFrameInput& Input) { return RunFrame(Input, false); }

bool TFormMain::RunFrame(const TFrameInput& Input, bool Draw) {
  drawing_ = Draw && !World().StartupPending;
  if (drawing_) picture_.BeginPicture();
  world_->Step(Input, this);
  if (!World().StartupPending) return true;
  // The start-up frame: the models are read and compiled, then the world takes their radii.
  static TStderrMessages fallback;
  IMessageService& messages = services_.Messages ? *services_.Messages : fallback;
  TModelMessages modelMessages(messages);
  if (!picture_.StartUp(services_.ProgramFolder, modelMessages)) return false;
  world_->StartUp(RadiiOf(picture_.Models()));
  return true;
}

void TFormMain::FormRedraw() {
  if (!World().StartupPending) picture_.Redraw(World());
}

void TFormMain::FormDestroy() { picture_.Release(); }

// The world shows itself: the picture draws when this frame is drawn, and
// counts its hit tint on every play frame.

void TFormMain::TitleShown(const TWorldState& W) {
  if (drawing_) picture_.DrawTitle(W);
}

void TFormMain::PlayBegins(const TWorldState& W) {
  picture_.ForgetTitle();  // the next title may come under other GL state
  if (drawing_) picture_.DrawPlayBegins(W);
}

void TFormMain::WorldMoved(const TWorldState& W, bool Hit) {
  picture_.CountHitTint(Hit);
  if (drawing_) picture_.DrawWorldMoved(W, Hit);
}

void TFormMain::WorldStepped(const TWorldState& W) {
  if (drawing_) picture_.DrawWorldStepped(W);
  picture_.AfterStepped();
}
