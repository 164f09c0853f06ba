// TPicture: the world's picture in fixed-function GL. It draws from a const
// view of the world at the points of a frame where the world shows itself
// (IFramePainter), and holds what belongs to the picture alone: the models
// made ready to draw, the lights, the title's kept text, the view's size and
// the reduced-flashing hit tint. Its methods live in files by concern:
//   Picture.cpp   start-up, lights, colour schemes, the title, the frame's parts
//   Scene.cpp     backdrop, the scene's objects, the hit tint
//   Overlay.cpp   digit font, cross-hair, radar, numbers
#pragma once
#include <cstdint>
#include <string>

#include "ModelSet.h"
#include "ScreenCopy.h"
#include "WorldState.h"

class TPicture {
 public:
  TPicture() = default;
  ~TPicture();
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // The start-up frame's GL state, then the models read and compiled (a GL
  // context current). False, with the message shown, when the program must end.
  bool StartUp(const std::string& ProgramFolder, IMessageSink& Messages);
  const TModelSet& Models() const { return models_; }
  // The models and the kept title go while the GL context is still current.
  void Release();

  // --- a frame's parts, in the order the world shows itself
  // Before anything of a frame is drawn.
  void BeginPicture();
  void DrawTitle(const TWorldState& W);
  void DrawPlayBegins(const TWorldState& W);
  void DrawWorldMoved(const TWorldState& W, bool Hit);
  void DrawWorldStepped(const TWorldState& W);
  // The picture of the world as it stands, without a step.
  void Redraw(const TWorldState& W);

  // A play frame stepped: the title's kept text may not fit the next title,
  // and the hit tint counts down (from 10 when the player was hit).
  void ForgetTitle() { TitleText.Forget(); }
  void CountHitTint(bool Hit);
  void AfterStepped();
  // The hit tint as a hit starts it (tools show it without a hit).
  void ShowHitTint() { hitTintFrames_ = 10; }
  // The title's text is drawn again at the next title (its GL objects are gone).
  void ReleaseTitle() { TitleText.Release(); }

  // --- drawing parts (Scene.cpp, Overlay.cpp)
  // The perspective projection of the view: near 1, the given far plane.
  void SetPerspective(double Far);
  void SetLightColours(const TVec3& Ambient, const TVec3& Diffuse);
  void SwitchOnLight();
  void DrawBackdrop(const TVec3& Top, const TVec3& UpperHorizon, const TVec3& LowerHorizon, const TVec3& Bottom);
  void ApplyColourScheme(int32_t Scheme);
  void HitFlash();
  // With reduced flashing: red fading in from the view's edges while the hit tint runs.
  void DrawHitTint();
  void DrawGroundFragmentsAndAliens(const TWorldState& W);
  void DrawRocket(const TWorldState& W, const TBlob& Rocket);
  void DrawShots(const TWorldState& W);
  void DrawDigit(int Digit, float X, float Y);
  void DrawHudText(const char* Text, float X, float Y);
  // The digits alone, in the current colour.
  void DrawHudDigits(const char* Text, float X, float Y);
  void DrawOverlay(const TWorldState& W);
  // The overlay's viewport: the largest centred 4:3 rectangle of the view.
  // Width and Height receive its size in pixels.
  void SetOverlayViewport(int& Width, int& Height);

  void SetViewSize(int Width, int Height) {
    viewWidth_ = Width;
    viewHeight_ = Height;
  }
  int ViewWidth() const { return viewWidth_; }
  int ViewHeight() const { return viewHeight_; }
  // No full-screen red frames: a hit tints the view's edges for ten frames,
  // and the game over holds a steady dark red.
  void SetReduceFlashing(bool On) { reduceFlashing_ = On; }
  bool ReduceFlashing() const { return reduceFlashing_; }
  // The frames the hit tint has left.
  int32_t HitTintFrames() const { return hitTintFrames_; }

 private:
  int32_t viewWidth_ = 1024;
  int32_t viewHeight_ = 768;
  bool reduceFlashing_ = false;
  int32_t hitTintFrames_ = 0;
  TModelSet models_;
  TScreenCopy TitleText;  // the title's text over black, kept while the title lasts
};

// Whether a game-over frame shows the red flash.
bool GameOverFlashes(int32_t GameOverTimer);

// Where an object at Position shows on the heading-up radar, in overlay units
// around the centre; false when it lies beyond the ring (4160 world units).
bool RadarBlip(const TBlob& Player, const TVec3& Position, float& X, float& Y);

// The sky of colour scheme Scheme (0..10): its top and the colours above and
// below the horizon; false for a scheme that does not exist.
bool SchemeSky(int Scheme, TVec3& Top, TVec3& UpperHorizon, TVec3& LowerHorizon);

// The contrast ratio of two colours (1 to 21), from their relative luminance.
float ContrastRatio(const TVec3& A, const TVec3& B);
// Whether an overlay part of Colour needs an outline against the sky colours
// behind it (less than 3:1 against any of them), and the outline's colour:
// black or white, whichever contrasts more.
bool OverlayOutline(const TVec3& Colour, const TVec3& BehindA, const TVec3& BehindB, TVec3& Outline);
