// Clicks and taps on the pause screen, with no GL: where the layout puts the
// rows, their value marks and the play-on button, and what a press there does
// to the options, on a desktop window and on a phone held upright.
#include <gtest/gtest.h>

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
  bool Window;  // the desktop's window settings are listed
};

TEST(PauseTap, APressChoosesARowStepsItsValueOrPlaysOnAndRowsNeverOverlap) {
  for (const TView V : {TView{1024, 768, true}, TView{800, 600, true}, TView{1080, 2338, false}, TView{390, 844, false}}) {
    SCOPED_TRACE(std::to_string(V.Width) + "x" + std::to_string(V.Height));
    TSettings S;
    S.Volume = 80;
    TOptionsMenu Menu(V.Window, S);
    const TPauseLayout L(V.Width, V.Height, Menu.Count(), int(GameKeys(V.Window).size()));

    for (int i = 0; i < Menu.Count(); ++i) {
      const TBox Row = L.OptionBox(i);
      EXPECT_TRUE(Row.X0 >= 0 && Row.Y0 >= 0 && Row.X1 <= V.Width && Row.Y1 <= V.Height) << "row " << i;
      EXPECT_FALSE(Overlap(Row, L.PlayOn)) << "row " << i;
      if (i > 0) {
        EXPECT_FALSE(Overlap(Row, L.OptionBox(i - 1))) << "row " << i;
      }
    }
    // Rows a finger can hit: 40 pixels at least on a phone's 390 x 844 (CSS pixels).
    if (V.Width == 390) {
      EXPECT_GE(L.OptionBox(0).Y1 - L.OptionBox(0).Y0, 40.0f);
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

    EXPECT_EQ(PressAt(L, L.PlayOn).What, TPauseHit::PlayOn);
    EXPECT_EQ(L.Hit(0, 0).What, TPauseHit::Nothing) << "the top left corner is the title's";
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
