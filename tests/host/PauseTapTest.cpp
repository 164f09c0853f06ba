// Clicks and taps on the pause screen, with no GL: where the layout puts the
// rows, their value marks and the play-on button, and what a press there does
// to the options, on a desktop window and on a phone held upright or on its side.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OptionsMenu.h"
#include "PauseLayout.h"

namespace {

// A press at the centre of Box, as a shell reports it: y down from the top.
TPauseTap PressAt(const TPauseLayout& L, const TBox& Box) {
  return L.Hit(int((Box.X0 + Box.X1) / 2), L.Height - 1 - int((Box.Y0 + Box.Y1) / 2));
}

// Boxes that share more than an edge.
bool Overlap(const TBox& A, const TBox& B) {
  const float E = 0.01f;
  return A.X0 < B.X1 - E && B.X0 < A.X1 - E && A.Y0 < B.Y1 - E && B.Y0 < A.Y1 - E;
}

struct TView {
  int Width, Height;
  bool Window;       // the desktop's window settings are listed
  float Point = 1;   // view pixels per point (the page's canvas pixels per CSS pixel)
};

// The tallest text of size Size above its baseline.
float Ascent(float Size) { return Size * 0.75f; }

TEST(PauseTap, APressChoosesARowStepsItsValueOrPlaysOnAndRowsNeverOverlap) {
  // Phones on their side: the page's canvas at 844 x 390 CSS pixels under its
  // header, at a device pixel ratio of 3 (the canvas capped at 1920 wide) and of 1.
  for (const TView V : {TView{1024, 768, true}, TView{800, 600, true}, TView{640, 480, true}, TView{640, 900, true},
                        TView{1080, 2338, false}, TView{390, 844, false},
                        TView{1920, 796, false, 1920 / 844.0f}, TView{844, 350, false}, TView{844, 390, false}}) {
    SCOPED_TRACE(std::to_string(V.Width) + "x" + std::to_string(V.Height));
    TSettings S;
    S.Volume = 80;
    TOptionsMenu Menu(V.Window, S);
    const TPauseLayout L(V.Width, V.Height, Menu.Count(), int(GameKeys(V.Window).size()), V.Point);

    for (int i = 0; i < Menu.Count(); ++i) {
      const TBox Row = L.OptionBox(i);
      EXPECT_TRUE(Row.X0 >= 0 && Row.Y0 >= 0 && Row.X1 <= V.Width && Row.Y1 <= V.Height) << "row " << i;
      EXPECT_FALSE(Overlap(Row, L.PlayOn)) << "row " << i;
      for (int j = 0; j < i; ++j) EXPECT_FALSE(Overlap(Row, L.OptionBox(j))) << "rows " << j << " and " << i;
    }
    // On a phone, rows and the play-on button a finger can hit (44 points,
    // give or take rounding); on a desk, the keys beside the options. Text
    // of 12 points at least.
    const float Finger = 44 - 0.01f;
    if (!V.Window) {
      EXPECT_GE((L.OptionBox(Menu.Count() - 1).Y1 - L.OptionBox(Menu.Count() - 1).Y0) / V.Point, Finger);
      EXPECT_GE((L.PlayOn.Y1 - L.PlayOn.Y0) / V.Point, Finger);
    } else {
      EXPECT_TRUE(L.ShowsKeys() || L.Stacked) << "a window taller than wide may leave them out";
    }
    EXPECT_GE(L.Row / V.Point, 12.0f);
    EXPECT_GE(L.HelpSize / V.Point, 12.0f);
    // No line under a row's highlight: the title and the heading above the
    // rows, the help line and keys listed under them below, keys beside them to the right.
    const TBox Last = L.OptionBox(L.LowestRow());
    EXPECT_GE(L.TitleY, L.OptionBox(0).Y1);
    EXPECT_GE(L.HeadingY, L.OptionBox(0).Y1);
    EXPECT_LE(L.HelpY + Ascent(L.HelpSize), Last.Y0);
    if (L.ShowsKeys() && L.Stacked) {
      EXPECT_LE(L.KeysHeadingY + Ascent(L.Row * 1.2f), Last.Y0);
    }
    if (L.ShowsKeys() && !L.Stacked) {
      EXPECT_GE(L.KeysX, Last.X1);
    }
    // The line naming values that wait for a restart: readable, between the
    // last row and the help line or the keys.
    if (V.Window) {
      EXPECT_GE(L.NoteSize(), 12.0f);
      EXPECT_LE(L.NoteY() + Ascent(L.NoteSize()), Last.Y0);
      const float Below =
          L.Stacked && L.ShowsKeys() ? L.KeysHeadingY + Ascent(L.Row * 1.2f) : L.HelpY + Ascent(L.HelpSize);
      EXPECT_GE(L.NoteY() - L.NoteSize() * 0.25f, Below);
    }

    // The label picks the row and changes nothing.
    const TBox Label{L.OptionBox(2).X0, L.OptionBox(2).Y0, L.Less(2).X0, L.OptionBox(2).Y1};
    const TPauseTap OnLabel = PressAt(L, Label);
    EXPECT_EQ(OnLabel.What, TPauseHit::Row);
    EXPECT_EQ(OnLabel.Row, 2);

    // The marks step the value of their own row, whichever row was chosen.
    const TPauseTap Down = PressAt(L, L.Less(0));
    ASSERT_EQ(Down.What, TPauseHit::Less);
    Menu.Choose(Down.Row);
    EXPECT_TRUE(Menu.Step(-1, S));
    EXPECT_EQ(S.Volume, 70);
    const int Flashing = 4;
    ASSERT_EQ(Menu.Item(Flashing), TOption::ReduceFlashing);
    const TPauseTap On = PressAt(L, L.More(Flashing));
    ASSERT_EQ(On.What, TPauseHit::More);
    EXPECT_EQ(On.Row, Flashing);
    Menu.Choose(On.Row);
    EXPECT_TRUE(Menu.Step(1, S));
    EXPECT_TRUE(S.ReduceFlashing);
    EXPECT_EQ(Menu.Selected(), Flashing);
    // Sharing scores is on every list, the page's too.
    const int Share = 5;
    ASSERT_EQ(Menu.Item(Share), TOption::ShareScores);
    const TPauseTap Sharing = PressAt(L, L.More(Share));
    EXPECT_EQ(Sharing.What, TPauseHit::More);
    EXPECT_EQ(Sharing.Row, Share);

    EXPECT_EQ(PressAt(L, L.PlayOn).What, TPauseHit::PlayOn);
    EXPECT_EQ(L.Hit(0, 0).What, TPauseHit::Nothing) << "the top left corner is the title's";
  }
}

TEST(PauseTap, RightAndLeftReachEveryWindowSizeInOrderOfArea) {
  TOptionsMenu Menu(true, TSettings());
  while (Menu.Item(Menu.Selected()) != TOption::WindowSize) Menu.Choose(Menu.Selected() + 1);
  TSettings S;
  S.WindowWidth = 800;
  S.WindowHeight = 600;
  const std::vector<std::string> Up = {"1024 x 768", "1280 x 720", "1366 x 768",
                                       "1280 x 960", "1600 x 900", "1920 x 1080"};
  for (const std::string& Size : Up) {
    EXPECT_TRUE(Menu.Step(1, S));
    EXPECT_EQ(TOptionsMenu::Value(TOption::WindowSize, S), Size);
  }
  EXPECT_FALSE(Menu.Step(1, S)) << "the largest stays";
  for (size_t i = Up.size() - 1; i-- > 0;) {
    EXPECT_TRUE(Menu.Step(-1, S));
    EXPECT_EQ(TOptionsMenu::Value(TOption::WindowSize, S), Up[i]);
  }
}

TEST(PauseTap, ChoosingOutsideTheListKeepsTheChoice) {
  TOptionsMenu Menu(false, TSettings());
  Menu.Choose(3);
  Menu.Choose(-1);
  Menu.Choose(Menu.Count());
  EXPECT_EQ(Menu.Selected(), 3);
}

}  // namespace
