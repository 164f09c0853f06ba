// The game form as a shell sees it: frames, keys, mouse, view size and the
// end of the run go straight to TFormMain. Shared by the SDL shell and the
// browser's, so both drive the form the same way.
#pragma once

#include "Shell.h"
#include "frmMainGL.h"

class TFormAdapter : public IShellForm {
 public:
  explicit TFormAdapter(TFormMain& Form) : form_(Form) {}
  void FormPaint() override { form_.FormPaint(); }
  void HandleKey(uint16_t Key) override { form_.HandleKey(Key); }
  void FormMouseMove(uint32_t Shift, int X, int Y) override { form_.FormMouseMove(Shift, X, Y); }
  void FormClick() override { form_.FormClick(); }
  void FormDestroy() override { form_.FormDestroy(); }
  void SetViewSize(int Width, int Height) override {
    form_.ViewWidth = Width;
    form_.ViewHeight = Height;
  }
  bool TerminateRequested() const override { return form_.TerminateRequested; }
  int ExitCode() const override { return form_.ExitCode; }

 private:
  TFormMain& form_;
};
