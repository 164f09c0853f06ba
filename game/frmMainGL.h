// TFormMain: the frame driver. It owns the world and its picture: each frame
// steps the one (TWorld::Step) and, when the frame is drawn, lets the other
// draw at the points where the world shows itself. The start-up frame reads
// the models: the picture compiles them, the world takes their radii.
#pragma once
#include <memory>
#include <string>

#include "Picture.h"
#include "Services.h"
#include "World.h"

class TFormMain : private IFramePainter {
 public:
  // Makes the world (FormCreate runs), or takes the one given (tests give
  // one they can look into). The services must outlive the form.
  explicit TFormMain(const TServices& Services, int32_t HighScore = 0, std::unique_ptr<TWorld> World = nullptr);
  ~TFormMain() override;
  TFormMain(const TFormMain&) = delete;
  TFormMain& operator=(const TFormMain&) = delete;

  // One frame with its picture. False when start-up failed and the program
  // must end (its message was shown).
  bool FormPaint(const TFrameInput& Input);
  // The same steps without the picture: a machine that falls behind catches up this way.
  bool FormStep(const TFrameInput& Input);
  // The picture of the world as it stands, without a step (a paused window that was resized).
  void FormRedraw();
  // The models and GL objects go while the shell's GL context is still current.
  void FormDestroy();

  const TWorldState& World() const { return world_->View(); }
  TPicture& Picture() { return picture_; }
  const TPicture& Picture() const { return picture_; }
  void SetViewSize(int Width, int Height);

 private:
  bool RunFrame(const TFrameInput& Input, bool Draw);
  void TitleShown(const TWorldState& W) override;
  void PlayBegins(const TWorldState& W) override;
  void WorldMoved(const TWorldState& W, bool Hit) override;
  void WorldStepped(const TWorldState& W) override;

  TServices services_;
  std::unique_ptr<TWorld> world_;
  TPicture picture_;
  bool drawing_ = false;
};
