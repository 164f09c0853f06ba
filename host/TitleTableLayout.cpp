#include "TitleTableLayout.h"

#include <algorithm>

#include "Scores.h"

TTitleTableLayout::TTitleTableLayout(int W, int H, size_t TableRows)
    : Width(std::max(1, W)), Height(std::max(1, H)), Rows(int(std::min<size_t>(TableRows, MaxScores))) {
  const float Wf = float(Width), Hf = float(Height);
  Span = std::min(Wf, Hf * 4 / 3);
  Left = (Wf - Span) / 2;
  // The title's "PRESS Z TO PLAY" lies below 0.34 of the view's half height
  // under the middle (less in a tall view, where the picture shows more
  // above and below): the table covers everything above it.
  const float Tall = std::max(1.0f, 4 * Hf / (3 * Wf));
  Bottom = Hf * (1 - 0.34f / Tall) / 2;
  Room = Hf - Bottom;
  HeadingSize = std::min(Room * 0.12f, Span * 0.09f);
  HeadingY = Hf - Room * 0.15f;
  RowSize = std::min(Room * 0.062f, Span * 0.045f);
  // The rows end well above the hint, so that the last one's band (chosen)
  // never reaches it.
  Step = Room * 0.68f / float(MaxScores);
  FirstY = Hf - Room * 0.25f;
  HintSize = RowSize * 0.7f;
  HintY = Bottom + Room * 0.03f;
}

float TTitleTableLayout::RowY(int I) const { return FirstY - float(I) * Step; }

// The band is centred a third of the text's size above the baseline, where the
// digits' middle is.
float TTitleTableLayout::RowBottom(int I) const { return RowY(I) + RowSize * 0.33f - Step / 2; }
float TTitleTableLayout::RowTop(int I) const { return RowY(I) + RowSize * 0.33f + Step / 2; }

int TTitleTableLayout::RowAt(int X, int Y) const {
  if (X < 0 || X >= Width) return -1;
  const float Up = float(Height) - float(Y);
  for (int i = 0; i < Rows; ++i)
    if (Up >= RowBottom(i) && Up < RowTop(i)) return i;
  return -1;
}
