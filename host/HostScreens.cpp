#include "HostScreens.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "PauseLayout.h"
#include "TitleTableLayout.h"
#include "WorldState.h"

namespace {

const TTextColour White{1, 1, 1}, Yellow{1, 0.85f, 0.2f}, Grey{0.7f, 0.7f, 0.7f}, Black{0, 0, 0};
const TTextColour Chosen{0.25f, 0.3f, 0.55f};

// Frames of the game over and the title allocate nothing: their lines are
// written into buffers like this one.
using TLine = char[64];

int EightDigits(int32_t Score) { return int(std::clamp<int32_t>(Score, 0, 99999999)); }

// The largest centred 4:3 rectangle of the view, as the overlay uses: its left and width.
void FourByThree(int Width, int Height, float& Left, float& Span) {
  Span = std::min(float(Width), float(Height) * 4 / 3);
  Left = (float(Width) - Span) / 2;
}

}  // namespace

const std::string NoReplay;

bool TitleShowsScores(int32_t TitleFrames, size_t TableSize) {
  return TableSize > 0 && TitleFrames % (TitleLogoFrames + TitleTableFrames) >= TitleLogoFrames;
}

const char* OrdinalSuffix(int Place) {
  if (Place % 100 >= 11 && Place % 100 <= 13) return "th";
  if (Place % 10 == 1) return "st";
  if (Place % 10 == 2) return "nd";
  if (Place % 10 == 3) return "rd";
  return "th";
}

void THostScreens::DrawOverFrame(const TWorldState& World, int ViewWidth, int ViewHeight, const TGameResult& Last,
                                 const TScoreTable& Table, const std::string& Notice, int Covered, const char* Hint,
                                 const std::string& Replay, int ChosenRow) {
  const bool GameOver = !World.OnTitleScreen && World.GameOverTimer > 0;
  const bool Scores =
      World.OnTitleScreen && !Table.empty() && (ChosenRow >= 0 || TitleShowsScores(World.TitleFrames, Table.size()));
  const bool Hinted = World.OnTitleScreen && Hint && *Hint;
  if ((!GameOver && !Scores && !Hinted && Notice.empty() && Replay.empty()) || !text_.Load(folder_)) return;
  const int W = std::max(1, ViewWidth), H = std::max(1, ViewHeight);
  text_.Begin(W, H);
  if (GameOver) this->GameOver(W, H, Last);
  if (Scores) ScoreTable(W, H, Table, Last, ChosenRow);
  const float Ceiling = Scores ? TTitleTableLayout(W, H, Table.size()).Bottom : float(H);
  if (Hinted) TitleHint(W, H, Hint, float(std::clamp(Covered, 0, H / 2)), Ceiling);
  if (!Replay.empty()) ReplayMarker(W, H, Replay);
  if (!Notice.empty()) NoticeLine(W, H, Notice, float(std::clamp(Covered, 0, H / 2)));
  text_.End();
}

void THostScreens::GameOver(int W, int H, const TGameResult& Last) {
  const float Cx = float(W) / 2, Hf = float(H);
  float Left, Span;
  FourByThree(W, H, Left, Span);
  // A steady dark band under the words, whatever the backdrop does.
  text_.Panel(0, Hf * 0.34f, float(W), Hf * 0.72f, Black, 0.5f);
  const float Big = std::min(Hf * 0.13f, Span * 0.8f / std::max(1.0f, text_.Width("GAME OVER", 1)));
  text_.Text("GAME OVER", Cx, Hf * 0.55f, Big, TAlign::Centre, White, true);
  TLine Line;
  std::snprintf(Line, sizeof Line, "Score %08d", EightDigits(Last.Score));
  text_.Text(Line, Cx, Hf * 0.46f, Fitted(Line, Hf * 0.055f, Span * 0.9f), TAlign::Centre, White);
  if (Last.NewHighScore) std::snprintf(Line, sizeof Line, "NEW HIGH SCORE");
  else if (Last.Place > 0) std::snprintf(Line, sizeof Line, "%d%s place in the table", Last.Place, OrdinalSuffix(Last.Place));
  else Line[0] = 0;
  text_.Text(Line, Cx, Hf * 0.385f, Fitted(Line, Hf * 0.05f, Span * 0.9f), TAlign::Centre, Yellow, Last.NewHighScore);
}

void THostScreens::ReplayMarker(int W, int H, const std::string& Replay) {
  // Top left under the overlay's score digits, on a band of its own.
  const float Size = Fitted(Replay.c_str(), std::max(12.0f, float(H) * 0.04f), float(W) * 0.6f);
  const float Y = float(H) * 0.9f - Size;
  text_.Panel(0, Y - Size * 0.35f, text_.Width(Replay.c_str(), Size) + Size, Y + Size * 1.1f, Black, 0.5f);
  text_.Text(Replay.c_str(), Size * 0.5f, Y, Size, TAlign::Left, Yellow, true);
}

void THostScreens::ScoreTable(int W, int H, const TScoreTable& Table, const TGameResult& Last, int ChosenRow) {
  const TTitleTableLayout L(W, H, Table.size());
  const float Cx = float(W) / 2, Row = L.RowSize;
  text_.Panel(0, L.Bottom, float(W), float(H), Black, 1);
  text_.Text("HIGH SCORES", Cx, L.HeadingY, L.HeadingSize, TAlign::Centre, Yellow, true);

  // Columns sized by their widest entry: place, score, level, date.
  const float Gap = Row * 1.2f;
  const float PlaceW = text_.Width("10.", Row), ScoreW = text_.Width("00000000", Row);
  const float LevelW = text_.Width("Level 10", Row), DateW = text_.Width("0000-00-00", Row);
  const float X0 = Cx - (PlaceW + ScoreW + LevelW + DateW + 3 * Gap) / 2;
  for (int i = 0; i < L.Rows; ++i) {
    const TScoreEntry& E = Table[size_t(i)];
    const float Y = L.RowY(i);
    // The game just played, where it landed.
    const TTextColour C = Last.Place == i + 1 && Last.Score == E.Score ? Yellow : White;
    TLine Place, Score, Level;
    std::snprintf(Place, sizeof Place, "%d.", i + 1);
    std::snprintf(Score, sizeof Score, "%08d", EightDigits(E.Score));
    std::snprintf(Level, sizeof Level, "Level %d", E.Level);
    // The chosen row's band is the one a press chooses it in.
    if (i == ChosenRow)
      text_.Panel(X0 - Gap / 2, L.RowBottom(i), X0 + PlaceW + ScoreW + LevelW + DateW + 3.5f * Gap, L.RowTop(i), Chosen,
                  0.9f);
    float X = X0 + PlaceW;
    text_.Text(Place, X, Y, Row, TAlign::Right, C);
    X += Gap + ScoreW;
    text_.Text(Score, X, Y, Row, TAlign::Right, C);
    X += Gap;
    text_.Text(Level, X, Y, Row, TAlign::Left, C);
    X += LevelW + Gap;
    text_.Text(E.Date.c_str(), X, Y, Row, TAlign::Left, Grey);
  }
  text_.Text(tableHint_, Cx, L.HintY, Fitted(tableHint_, L.HintSize, L.Span * 0.9f), TAlign::Centre, Grey);
}

void THostScreens::TitleHint(int W, int H, const char* Hint, float Covered, float Ceiling) {
  // Under "PRESS Z TO PLAY", which reaches down to 0.54 of the half height
  // under the middle in a 4:3 view (nearer the middle in a taller one), and
  // above a phone's touch controls.
  const float Hf = float(H), Tall = std::max(1.0f, 4 * Hf / (3 * float(W)));
  float Left, Span;
  FourByThree(W, H, Left, Span);
  const float Size = Fitted(Hint, std::max(12.0f, std::min(Hf * 0.032f, Span * 0.03f)), Span * 0.94f);
  const float Top = Hf * (1 - 0.6f / Tall) / 2;
  const float Under = Top - Size * 0.75f;
  float Y = std::max(Covered + Size * 0.5f, Under);
  // Lifted above the controls it must not run into the table: there (a phone
  // on its side) it keeps its own place, which lies between the controls in
  // the corners.
  if (Y + Size > Ceiling) Y = Under;
  text_.Text(Hint, float(W) / 2, Y, Size, TAlign::Centre, Grey);
}

float THostScreens::Fitted(const char* Text, float Size, float Room) const {
  const float Need = text_.Width(Text, Size);
  return Need > Room ? Size * Room / Need : Size;
}

void THostScreens::NoticeLine(int W, int H, const std::string& Notice, float Bottom, float Least) {
  const float Size = Fitted(Notice.c_str(), std::max(Least, float(H) * 0.032f), float(W) * 0.96f);
  text_.Panel(0, Bottom, float(W), Bottom + Size * 1.6f, Black, 0.6f);
  text_.Text(Notice.c_str(), float(W) / 2, Bottom + Size * 0.5f, Size, TAlign::Centre, White);
}

void THostScreens::DrawPaused(const TPauseLayout& L, const TOptionsMenu& Menu, const TSettings& S, bool Desktop,
                              const std::string& Notice) {
  if (!text_.Load(folder_)) return;
  const auto Keys = GameKeys(Desktop);
  const int W = L.Width, H = L.Height;
  const float Hf = float(H), ColW = L.ColumnWidth, OptX = L.OptionsX, Row = L.Row;
  text_.Begin(W, H);
  text_.Panel(0, 0, float(W), Hf, Black, 0.62f);
  text_.Text("PAUSED", float(W) / 2, L.TitleY, L.TitleSize, TAlign::Centre, Yellow, true);
  if (Desktop) {
    const char* const Quits = "Escape again quits";
    const float Size = std::max(L.LeastText(), L.HelpSize);
    text_.Text(Quits, float(W) / 2, L.TitleY - L.TitleSize * 0.15f - Size * 0.85f, Size, TAlign::Centre, White);
  }

  // Text shrinks where a column would overflow (a narrow window), the headings
  // with it: the label left of the value's part of the row, the widest value
  // between its marks.
  auto Fit = [](float Size, float Need, float Room) { return Need > Room ? Size * Room / Need : Size; };
  float WidestOption = 0;
  for (int i = 0; i < Menu.Count(); ++i)
    WidestOption = std::max(WidestOption, text_.Width(TOptionsMenu::Label(Menu.Item(i)), Row));
  const TBox First = L.Less(0);
  const float LabelRoom = First.X0 - OptX - Row * 0.3f, ValueRoom = L.More(0).X1 - First.X0;
  // The widest value between its marks, each mark given a letter's room and a gap.
  const float OptRow = std::min(Fit(Row, WidestOption, LabelRoom), Fit(Row, text_.Width("1024 x 768", Row) + Row * 2.6f, ValueRoom));
  const float Heading = OptRow * 1.2f;
  if (!L.Compact) text_.Text("OPTIONS", OptX, L.HeadingY, Heading, TAlign::Left, White, true);
  for (int i = 0; i < Menu.Count(); ++i) {
    const TOption O = Menu.Item(i);
    const float Y = L.OptionY(i);
    const bool Selected = i == Menu.Selected();
    const TBox Box = L.OptionBox(i), Less = L.Less(i), More = L.More(i);
    if (Selected) text_.Panel(Box.X0, Box.Y0, Box.X1, Box.Y1, Chosen, 0.85f);
    text_.Text(TOptionsMenu::Label(O), L.OptionX(i), Y, OptRow, TAlign::Left, Selected ? White : Grey);
    // The marks a click or a tap steps the value with, on every row.
    const TTextColour Mark = Selected ? Yellow : Grey;
    text_.Text("<", Less.X0 + OptRow * 0.3f, Y, OptRow, TAlign::Left, Mark, Selected);
    text_.Text(">", More.X1 - OptRow * 0.3f, Y, OptRow, TAlign::Right, Mark, Selected);
    const std::string Value = TOptionsMenu::Value(O, S);
    text_.Text(Value.c_str(), L.ValueCentreX(i), Y, OptRow, TAlign::Centre, Selected ? Yellow : White);
  }
  // Values that wait for the next start are named on a line of their own
  // under the list, never squeezed under a row where the next one's highlight lies.
  std::string Waiting;
  for (int i = 0; i < Menu.Count(); ++i)
    if (Menu.WaitsForRestart(Menu.Item(i), S))
      Waiting += (Waiting.empty() ? "" : ", ") + std::string(TOptionsMenu::Label(Menu.Item(i)));
  if (!Waiting.empty()) {
    Waiting += ": after restart";
    const float Size = Fitted(Waiting.c_str(), L.NoteSize(), L.ColumnWidth);
    text_.Text(Waiting.c_str(), OptX, L.NoteY(), std::max(L.LeastText(), Size), TAlign::Left, Yellow);
  }

  const float KeyX = L.KeysX;
  float WidestKey = 0, WidestAction = 0;
  for (const auto& K : Keys) {
    WidestKey = std::max(WidestKey, text_.Width(K.first, Row));
    WidestAction = std::max(WidestAction, text_.Width(K.second, Row));
  }
  const float KeyRow = std::min(Fit(Row * 0.9f, (WidestKey + WidestAction) * 0.9f + Row, ColW), L.KeyStep * 0.8f);
  if (L.ShowsKeys()) text_.Text("KEYS", KeyX, L.KeysHeadingY, Heading, TAlign::Left, White, true);
  const float ActionX = KeyX + WidestKey * KeyRow / Row + Row;
  for (size_t i = 0; i < Keys.size() && L.ShowsKeys(); ++i) {
    const float Y = L.KeysHeadingY - Heading * 0.4f - L.KeyStep * float(i + 1);
    text_.Text(Keys[i].first, KeyX, Y, KeyRow, TAlign::Left, Yellow);
    text_.Text(Keys[i].second, ActionX, Y, KeyRow, TAlign::Left, White);
  }

  const char* const Help = "Up / Down choose, Left / Right change; or click or tap";
  text_.Text(Help, float(W) / 2, L.HelpY, Fitted(Help, L.HelpSize, float(W) * 0.94f), TAlign::Centre, Grey);
  if (Notice.empty()) {
    const TBox Play = L.PlayOn;
    text_.Panel(Play.X0, Play.Y0, Play.X1, Play.Y1, Chosen, 0.9f);
    const char* const PlayText = "PLAY ON  (P)";
    const float Size = Fitted(PlayText, (Play.Y1 - Play.Y0) * 0.55f, (Play.X1 - Play.X0) * 0.9f);
    text_.Text(PlayText, float(W) / 2, (Play.Y0 + Play.Y1) / 2 - Size * 0.3f, Size, TAlign::Centre, White, true);
  } else {
    NoticeLine(W, H, Notice, 0, L.LeastText());
  }
  text_.End();
}
