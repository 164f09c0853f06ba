// Where the pause screen puts its parts in a Width x Height view, and what a
// click or a tap at a point of it means. The drawing and the pointer read the
// same boxes, so a tap lands on what is drawn there. No GL here.
// Pixels with y up, as GL draws; a shell's points (y down) are turned over by Hit.
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

class TPauseLayout {
 public:
  // Options rows of options; Keys lines of keys. A view taller than wide (a
  // phone held upright) puts the keys under the options, else beside them.
  TPauseLayout(int Width, int Height, int Options, int Keys);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Stacked() const { return stacked_; }
  float Span() const { return span_; }  // the width of the middle where the columns lie

  float TitleY() const { return titleY_; }
  float TitleSize() const { return titleSize_; }
  // The options' column: left edge, width, the headings' baseline, row step and text size.
  float OptionsX() const { return optX_; }
  float ColumnWidth() const { return colW_; }
  float HeadingY() const { return headingY_; }
  float Row() const { return row_; }
  float Step() const { return step_; }
  // The baseline of option I, its whole row (a press there chooses it), and
  // the arrow marks at the two ends of its value (a press steps the value).
  float OptionY(int I) const;
  TBox OptionBox(int I) const;
  TBox Less(int I) const;
  TBox More(int I) const;
  // Where a value lies between its marks: its centre.
  float ValueCentreX(int I) const;
  // The keys' column: left edge, its heading's baseline, line step.
  float KeysX() const { return keyX_; }
  float KeysHeadingY() const { return keyHeadingY_; }
  float KeyStep() const { return keyStep_; }
  // The keys fit with text a player can read (12 pixels at least); a phone
  // held upright has no room for them under the options.
  bool ShowsKeys() const { return keyStep_ * 0.8f >= 12; }
  float HelpY() const { return helpY_; }
  // The button that plays on, and its text's baseline.
  TBox PlayOn() const { return playOn_; }

  // What a press at (X, Y) in view pixels, y down from the top, means.
  TPauseTap Hit(int X, int Y) const;

 private:
  int width_, height_, options_;
  bool stacked_;
  float left_, span_;
  float titleY_, titleSize_;
  float optX_, colW_, headingY_, step_, row_;
  float keyX_, keyHeadingY_, keyStep_;
  float helpY_;
  TBox playOn_;
};
