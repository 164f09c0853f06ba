#include "PauseLayout.h"

#include <algorithm>

namespace {

// Where an option's value begins, as a share of the column: the label lies left of it.
constexpr float ValueShare = 0.55f;

}  // namespace

TPauseLayout::TPauseLayout(int Width, int Height, int Options, int Keys)
    : width_(std::max(1, Width)), height_(std::max(1, Height)), options_(Options), stacked_(Width < Height) {
  const float W = float(width_), H = float(height_);
  Keys = std::max(1, Keys);
  if (!stacked_) {
    // Two columns in the largest centred 4:3 middle: the options, and the keys beside them.
    span_ = std::min(W, H * 4 / 3);
    left_ = (W - span_) / 2;
    titleY_ = H * 0.85f;
    titleSize_ = std::min(H * 0.1f, span_ * 0.12f);
    optX_ = left_ + span_ * 0.05f;
    colW_ = span_ * 0.42f;
    // The rows share the room under the headings, as tall as a finger needs
    // where there is room (a short list, a phone on its side) and no taller.
    step_ = std::min(H * 0.52f / float(std::max(1, Options)), H * 0.075f);
    row_ = H * 0.034f;
    headingY_ = H * 0.72f + step_ * 0.4f;
    keyX_ = left_ + span_ * 0.53f;
    keyHeadingY_ = headingY_;
    keyStep_ = std::min(step_, (H * 0.72f - H * 0.16f) / float(Keys));
  } else {
    // One column, the keys under the options, rows tall enough for a finger.
    span_ = W;
    left_ = 0;
    titleY_ = H * 0.9f;
    titleSize_ = std::min(H * 0.07f, W * 0.14f);
    optX_ = W * 0.06f;
    colW_ = W * 0.88f;
    row_ = std::min(W * 0.055f, H * 0.03f);
    step_ = row_ * 2.1f;
    headingY_ = H * 0.8f;
    keyX_ = optX_;
    keyHeadingY_ = OptionY(Options - 1) - step_ * 1.3f;
    keyStep_ = std::min(row_ * 1.5f, (keyHeadingY_ - H * 0.2f) / float(Keys));
  }
  helpY_ = H * (stacked_ ? 0.14f : 0.115f);
  const float ButtonW = std::min(span_ * 0.6f, W * 0.9f) / 2;
  playOn_ = {W / 2 - ButtonW, H * 0.02f, W / 2 + ButtonW, H * (stacked_ ? 0.1f : 0.085f)};
}

float TPauseLayout::OptionY(int I) const { return headingY_ - step_ * 0.4f - step_ * float(I + 1); }

TBox TPauseLayout::OptionBox(int I) const {
  const float Y = OptionY(I);
  return {optX_ - row_ * 0.4f, Y - step_ * 0.3f, optX_ + colW_, Y + step_ * 0.7f};
}

TBox TPauseLayout::Less(int I) const {
  TBox B = OptionBox(I);
  B.X0 = optX_ + colW_ * ValueShare;
  B.X1 = ValueCentreX(I);
  return B;
}

TBox TPauseLayout::More(int I) const {
  TBox B = OptionBox(I);
  B.X0 = ValueCentreX(I);
  return B;
}

float TPauseLayout::ValueCentreX(int) const { return optX_ + colW_ * (1 + ValueShare) / 2; }

TPauseTap TPauseLayout::Hit(int X, int Y) const {
  // The pixel's centre, turned over to y up.
  const float Px = float(X) + 0.5f, Py = float(height_ - Y) - 0.5f;
  if (playOn_.Holds(Px, Py)) return {TPauseHit::PlayOn, -1};
  for (int i = 0; i < options_; ++i) {
    if (Less(i).Holds(Px, Py)) return {TPauseHit::Less, i};
    if (More(i).Holds(Px, Py)) return {TPauseHit::More, i};
    if (OptionBox(i).Holds(Px, Py)) return {TPauseHit::Row, i};
  }
  return {};
}
