// Where the title's score table puts its heading, rows and hint in a Width x
// Height view, and which row a click or a tap at a point lands on. The drawing
// and the pointer read the same numbers, so a press picks the row drawn there.
// Pixels with y up, as GL draws; a shell's points (y down) are turned over by RowAt.
#pragma once
#include <cstddef>

struct TTitleTableLayout {
  TTitleTableLayout(int Width, int Height, size_t Rows);

  // The baseline of row I, and the band a press chooses it in (the whole
  // width of the view, one row step high around the row's text).
  float RowY(int I) const;
  float RowBottom(int I) const;
  float RowTop(int I) const;
  // The row at (X, Y) in view pixels, y down from the top; -1 for none.
  int RowAt(int X, int Y) const;

  int Width, Height, Rows;
  float Left, Span;    // the centred 4:3 middle the columns fit in
  float Bottom, Room;  // the table's panel: from Bottom up to the top of the view
  float HeadingY, HeadingSize;
  float FirstY, Step, RowSize;  // the first row's baseline, the step down to the next, the text size
  float HintY, HintSize;        // the line that says how to choose and watch
};
