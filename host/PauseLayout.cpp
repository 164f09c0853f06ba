#include "PauseLayout.h"

#include <algorithm>

namespace {

// Where an option's value begins, as a share of the column: the label lies left of it.
constexpr float ValueShare = 0.55f;

}  // namespace

TPauseLayout::TPauseLayout(int ViewWidth, int ViewHeight, int OptionCount, int Keys, float PixelsPerPoint)
    : Width(std::max(1, ViewWidth)),
      Height(std::max(1, ViewHeight)),
      Options(OptionCount),
      Point(PixelsPerPoint > 0 ? PixelsPerPoint : 1),
      Stacked(Width < Height),
      PerColumn(std::max(1, OptionCount)) {
  const float W = float(Width), H = float(Height);
  const float Rows = float(std::max(1, OptionCount));
  Keys = std::max(1, Keys);
  if (!Stacked) {
    // Two columns in the largest centred 4:3 middle: the options, and the keys beside them.
    Span = std::min(W, H * 4 / 3);
    Left = (W - Span) / 2;
    TitleY = H * 0.85f;
    TitleSize = std::min(H * 0.1f, Span * 0.12f);
    OptionsX = Left + Span * 0.05f;
    ColumnWidth = Span * 0.42f;
    // The rows share the room under the headings, as tall as a finger needs
    // where there is room (a short list) and no taller.
    Step = std::min(H * 0.52f / Rows, H * 0.075f);
    Row = H * 0.034f;
    HeadingY = H * 0.72f + Step * 0.4f;
    KeysX = Left + Span * 0.53f;
    KeysHeadingY = HeadingY;
    KeyStep = std::min(Step, (H * 0.72f - H * 0.16f) / float(Keys));
  } else {
    // One column, the keys under the options, rows tall enough for a finger.
    Span = W;
    Left = 0;
    TitleY = H * 0.9f;
    TitleSize = std::min(H * 0.07f, W * 0.14f);
    OptionsX = W * 0.06f;
    ColumnWidth = W * 0.88f;
    Row = std::min(W * 0.055f, H * 0.03f);
    HeadingY = H * 0.8f;
    // A long list (a desktop window's) keeps its last row above the help line.
    Step = std::min(Row * 2.1f, (HeadingY - H * 0.2f) / (Rows + 0.7f));
    KeysX = OptionsX;
    KeysHeadingY = OptionY(OptionCount - 1) - Step * 1.3f;
    KeyStep = std::min(Row * 1.5f, (KeysHeadingY - H * 0.2f) / float(Keys));
  }
  HelpY = H * (Stacked ? 0.14f : 0.115f);
  HelpSize = std::max(LeastText(), H * 0.026f);
  const float ButtonW = std::min(Span * 0.6f, W * 0.9f) / 2;
  PlayOn = {W / 2 - ButtonW, H * 0.02f, W / 2 + ButtonW, H * (Stacked ? 0.1f : 0.085f)};
  // A window on a desk keeps its keys beside the options (a mouse needs less
  // than a finger); only a view under 480 points high, such as a phone on its
  // side, is too low for rows a finger can hit beside the keys.
  if (Stacked || Step >= Finger() || H >= 480 * Point) return;

  // The options alone across the middle, between the title at the top and
  // the help line over a play-on button a finger can hit, with rows as tall
  // as a finger needs where they fit. The keys are left out.
  const float Margin = 4 * Point;
  const float ButtonTop = std::max(PlayOn.Y1, Margin + std::min(Finger(), H * 0.15f));
  const float Help = ButtonTop + Margin + HelpSize * 0.3f, Title = H - Margin - TitleSize * 0.8f;
  // The text's descent and ascent are about a quarter and three quarters of its size.
  const float Bottom = Help + HelpSize * 0.8f + Margin, Top = Title - TitleSize * 0.1f - Margin;
  // Rows too many for a finger in one column go in two, side by side across
  // the whole width, the first column taking the odd row.
  const int Split = Rows * Finger() > Top - Bottom && OptionCount > 1 ? (OptionCount + 1) / 2 : PerColumn;
  const float Tall = std::min(Finger(), (Top - Bottom) / float(Split));
  if (Tall <= Step) return;  // a view too small to gain by it keeps the options beside the keys
  Compact = true;
  Step = Tall;
  Row = std::max(Row, Step * 0.45f);
  OptionsX = Left + Span * 0.1f;
  ColumnWidth = Span * 0.8f;
  if (Split < PerColumn) {
    PerColumn = Split;
    ColumnGap = W * 0.04f;
    OptionsX = W * 0.04f;
    ColumnWidth = (W - OptionsX * 2 - ColumnGap) / 2;
  }
  PlayOn.Y0 = Margin;
  PlayOn.Y1 = ButtonTop;
  HelpY = Help;
  // The rows' boxes reach 0.7 of a step above their baseline. The rows stand
  // on the help line, the title in the middle of what is left above them,
  // clear of the game's score at the top where there is room.
  const float RowsTop = Bottom + Step * float(PerColumn);
  HeadingY = RowsTop + Step * 0.7f;
  KeysHeadingY = HeadingY;
  TitleY = std::min(Title, (RowsTop + H) / 2 - TitleSize * 0.35f);
}

float TPauseLayout::OptionY(int I) const { return HeadingY - Step * 0.4f - Step * float(I % PerColumn + 1); }

float TPauseLayout::OptionX(int I) const { return OptionsX + float(I / PerColumn) * (ColumnWidth + ColumnGap); }

namespace {

// The room between the last option's row and what lies under it (the keys'
// heading when stacked, else the help line): its bottom and top.
void NoteRoom(const TPauseLayout& L, float& Floor, float& Top) {
  Top = L.OptionBox(L.LowestRow()).Y0;
  Floor = L.Stacked && L.ShowsKeys() ? L.KeysHeadingY + L.Row * 1.2f : L.HelpY + L.HelpSize * 0.8f;
}

}  // namespace

float TPauseLayout::NoteSize() const {
  float Floor, Top;
  NoteRoom(*this, Floor, Top);
  return std::max(LeastText(), std::min(Row * 0.8f, (Top - Floor) * 0.6f));
}

float TPauseLayout::NoteY() const {
  float Floor, Top;
  NoteRoom(*this, Floor, Top);
  // Text stands about three quarters of its size above the baseline, a quarter below.
  return (Top + Floor) / 2 - NoteSize() * 0.25f;
}

TBox TPauseLayout::OptionBox(int I) const {
  const float Y = OptionY(I);
  const float X = OptionX(I);
  return {X - Row * 0.4f, Y - Step * 0.3f, X + ColumnWidth, Y + Step * 0.7f};
}

TBox TPauseLayout::Less(int I) const {
  TBox B = OptionBox(I);
  B.X0 = OptionX(I) + ColumnWidth * ValueShare;
  B.X1 = ValueCentreX(I);
  return B;
}

TBox TPauseLayout::More(int I) const {
  TBox B = OptionBox(I);
  B.X0 = ValueCentreX(I);
  return B;
}

float TPauseLayout::ValueCentreX(int I) const { return OptionX(I) + ColumnWidth * (1 + ValueShare) / 2; }

TPauseTap TPauseLayout::Hit(int X, int Y) const {
  // The pixel's centre, turned over to y up.
  const float Px = float(X) + 0.5f, Py = float(Height - Y) - 0.5f;
  if (PlayOn.Holds(Px, Py)) return {TPauseHit::PlayOn, -1};
  for (int i = 0; i < Options; ++i) {
    if (Less(i).Holds(Px, Py)) return {TPauseHit::Less, i};
    if (More(i).Holds(Px, Py)) return {TPauseHit::More, i};
    if (OptionBox(i).Holds(Px, Py)) return {TPauseHit::Row, i};
  }
  return {};
}
