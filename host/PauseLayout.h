// Where the pause screen puts its parts in a Width x Height view, and what a
// click or a tap at a point of it means. The drawing and the pointer read the
// same boxes, so a tap lands on what is drawn there. No GL here.
// Pixels with y up, as GL draws; a shell's points (y down) are turned over by Hit.
// Sizes a finger or an eye needs are in points (a page's CSS pixels), turned
// into the view's pixels by the pixels per point the shell reports.
#pragma once

struct TBox {
  float X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
  bool Holds(float X, float Y) const { return X >= X0 && X < X1 && Y >= Y0 && Y < Y1; }
};

enum class TPauseHit { Nothing, Row, Less, More, PlayOn };

struct TPauseTap {
  TPauseHit What = TPauseHit::Nothing;
  int Row = -1;  // the option's row, for Row, Less and More
};

struct TPauseLayout {
  // Options rows of options; Keys lines of keys. A view taller than wide (a
  // phone held upright) puts the keys under the options, else beside them;
  // a view too low for rows a finger can hit beside the keys (under 480
  // points high, a phone on its side) leaves the keys out and gives the
  // options the middle alone, in two columns where one would hold rows
  // too low for a finger.
  TPauseLayout(int Width, int Height, int Options, int Keys, float PixelsPerPoint = 1);

  // The baseline of option I, its whole row (a press there chooses it), the
  // arrow marks at the two ends of its value (a press steps the value), and
  // the centre of the value between them.
  float OptionY(int I) const;
  float OptionX(int I) const;  // the left edge of option I's label
  // The option whose row lies lowest (the foot of the first column).
  int LowestRow() const { return (Options < PerColumn ? Options : PerColumn) - 1; }
  TBox OptionBox(int I) const;
  TBox Less(int I) const;
  TBox More(int I) const;
  float ValueCentreX(int I) const;
  // The keys fit with text a player can read (12 points at least); a phone
  // on its side has no room for them.
  bool ShowsKeys() const { return !Compact && KeyStep * 0.8f >= LeastText(); }
  // The smallest text a player can read, and the least height of a row a finger can hit.
  float LeastText() const { return 12 * Point; }
  float Finger() const { return 44 * Point; }
  // The line under the options that names the values waiting for a restart:
  // its baseline and text size, between the last row and what lies below.
  float NoteY() const;
  float NoteSize() const;
  // What a press at (X, Y) in view pixels, y down from the top, means.
  TPauseTap Hit(int X, int Y) const;

  int Width, Height, Options;
  float Point;      // view pixels per point
  bool Stacked;
  bool Compact = false;  // the options alone, without their heading or the keys
  int PerColumn;  // rows in a column of options; more go on in a second column
  float ColumnGap = 0;  // between two columns of options
  float Left, Span;  // the middle where the columns lie
  float TitleY, TitleSize;
  // The options' column: left edge, width, the headings' baseline, row step and text size.
  float OptionsX, ColumnWidth, HeadingY, Step, Row;
  // The keys' column: left edge, its heading's baseline, line step.
  float KeysX, KeysHeadingY, KeyStep;
  float HelpY, HelpSize;  // the line that says how to choose and change
  TBox PlayOn;  // the button that plays on
};
