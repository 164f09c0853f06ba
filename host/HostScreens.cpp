#include "HostScreens.h"

#include <algorithm>
#include <cstdio>

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
                                 const TScoreTable& Table, const std::string& Notice) {
  const bool GameOver = !World.OnTitleScreen && World.GameOverTimer > 0;
  const bool Scores = World.OnTitleScreen && TitleShowsScores(World.TitleFrames, Table.size());
  if ((!GameOver && !Scores && Notice.empty()) || !text_.Load(folder_)) return;
  const int W = std::max(1, ViewWidth), H = std::max(1, ViewHeight);
  text_.Begin(W, H);
  if (GameOver) this->GameOver(W, H, Last);
  if (Scores) ScoreTable(W, H, Table, Last);
  if (!Notice.empty()) NoticeLine(W, H, Notice);
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

void THostScreens::ScoreTable(int W, int H, const TScoreTable& Table, const TGameResult& Last) {
  const float Hf = float(H), Cx = float(W) / 2;
  // The title's "PRESS Z TO PLAY" lies below 0.34 of the view's half height
  // under the middle (less in a tall view, where the picture shows more
  // above and below): the table covers everything above it.
  const float Top = std::max(1.0f, 4 * Hf / (3 * float(W)));
  const float Bottom = Hf * (1 - 0.34f / Top) / 2;
  text_.Panel(0, Bottom, float(W), Hf, Black, 1);
  float Left, Span;
  FourByThree(W, H, Left, Span);
  const float Room = Hf - Bottom;
  const float Heading = std::min(Room * 0.12f, Span * 0.09f), Row = std::min(Room * 0.062f, Span * 0.045f);
  text_.Text("HIGH SCORES", Cx, Hf - Room * 0.15f, Heading, TAlign::Centre, Yellow, true);

  // Columns sized by their widest entry: place, score, level, date.
  const float Gap = Row * 1.2f;
  const float PlaceW = text_.Width("10.", Row), ScoreW = text_.Width("00000000", Row);
  const float LevelW = text_.Width("Level 10", Row), DateW = text_.Width("0000-00-00", Row);
  const float X0 = Cx - (PlaceW + ScoreW + LevelW + DateW + 3 * Gap) / 2;
  const float Step = (Room * 0.72f) / float(MaxScores);
  float Y = Hf - Room * 0.28f;
  for (size_t i = 0; i < Table.size() && i < size_t(MaxScores); ++i, Y -= Step) {
    const TScoreEntry& E = Table[i];
    // The game just played, where it landed.
    const TTextColour C = Last.Place == int(i) + 1 && Last.Score == E.Score ? Yellow : White;
    TLine Place, Score, Level;
    std::snprintf(Place, sizeof Place, "%d.", int(i) + 1);
    std::snprintf(Score, sizeof Score, "%08d", EightDigits(E.Score));
    std::snprintf(Level, sizeof Level, "Level %d", E.Level);
    float X = X0 + PlaceW;
    text_.Text(Place, X, Y, Row, TAlign::Right, C);
    X += Gap + ScoreW;
    text_.Text(Score, X, Y, Row, TAlign::Right, C);
    X += Gap;
    text_.Text(Level, X, Y, Row, TAlign::Left, C);
    X += LevelW + Gap;
    text_.Text(E.Date.c_str(), X, Y, Row, TAlign::Left, Grey);
  }
}

float THostScreens::Fitted(const char* Text, float Size, float Room) const {
  const float Need = text_.Width(Text, Size);
  return Need > Room ? Size * Room / Need : Size;
}

void THostScreens::NoticeLine(int W, int H, const std::string& Notice) {
  const float Size = Fitted(Notice.c_str(), std::max(12.0f, float(H) * 0.032f), float(W) * 0.96f);
  text_.Panel(0, 0, float(W), Size * 1.6f, Black, 0.6f);
  text_.Text(Notice.c_str(), float(W) / 2, Size * 0.5f, Size, TAlign::Centre, White);
}

void THostScreens::DrawPaused(int W, int H, const TOptionsMenu& Menu, const TSettings& S, bool Desktop,
                              const std::string& Notice) {
  if (!text_.Load(folder_)) return;
  W = std::max(1, W);
  H = std::max(1, H);
  const float Hf = float(H);
  float Left, Span;
  FourByThree(W, H, Left, Span);
  text_.Begin(W, H);
  text_.Panel(0, 0, float(W), Hf, Black, 0.62f);
  text_.Text("PAUSED", float(W) / 2, Hf * 0.85f, std::min(Hf * 0.1f, Span * 0.12f), TAlign::Centre, Yellow, true);

  // Two columns in the 4:3 middle: the options, and the keys beside them.
  const float ColW = Span * 0.42f, OptX = Left + Span * 0.05f, KeyX = Left + Span * 0.53f;
  const float TopY = Hf * 0.72f, Step = Hf * 0.048f;
  const float Row = Hf * 0.034f;

  // Text shrinks where a column would overflow (a narrow window), the headings with it.
  auto Fit = [](float Size, float Need, float Room) { return Need > Room ? Size * Room / Need : Size; };
  float WidestOption = 0;
  for (int i = 0; i < Menu.Count(); ++i)
    WidestOption = std::max(WidestOption, text_.Width(TOptionsMenu::Label(Menu.Item(i)), Row));
  const float ValueW = text_.Width("<  1024 x 768  >", Row);
  const float OptRow = Fit(Row, WidestOption + ValueW + Row, ColW);
  const float Heading = OptRow * 1.2f;
  text_.Text("OPTIONS", OptX, TopY + Step * 0.4f, Heading, TAlign::Left, White, true);
  text_.Text("KEYS", KeyX, TopY + Step * 0.4f, Heading, TAlign::Left, White, true);
  for (int i = 0; i < Menu.Count(); ++i) {
    const TOption O = Menu.Item(i);
    const float Y = TopY - Step * float(i + 1);
    const bool Selected = i == Menu.Selected();
    if (Selected) text_.Panel(OptX - Row * 0.4f, Y - Step * 0.3f, OptX + ColW, Y + Step * 0.7f, Chosen, 0.85f);
    text_.Text(TOptionsMenu::Label(O), OptX, Y, OptRow, TAlign::Left, Selected ? White : Grey);
    std::string Value = TOptionsMenu::Value(O, S);
    if (Selected) Value = "<  " + Value + "  >";
    const float ValueX = OptX + ColW - Row * 0.4f;
    text_.Text(Value.c_str(), ValueX, Y, OptRow, TAlign::Right, Selected ? Yellow : White);
    if (Menu.WaitsForRestart(O, S))
      text_.Text("after restart", ValueX, Y - Step * 0.42f, OptRow * 0.6f, TAlign::Right, Yellow);
  }

  const auto Keys = GameKeys(Desktop);
  float WidestKey = 0, WidestAction = 0;
  for (const auto& K : Keys) {
    WidestKey = std::max(WidestKey, text_.Width(K.first, Row));
    WidestAction = std::max(WidestAction, text_.Width(K.second, Row));
  }
  const float KeyRow = Fit(Row * 0.9f, (WidestKey + WidestAction) * 0.9f + Row, ColW);
  const float KeyStep = std::min(Step, (TopY - Hf * 0.13f) / float(Keys.size()));
  const float ActionX = KeyX + WidestKey * KeyRow / Row + Row;
  for (size_t i = 0; i < Keys.size(); ++i) {
    const float Y = TopY - KeyStep * float(i + 1);
    text_.Text(Keys[i].first, KeyX, Y, KeyRow, TAlign::Left, Yellow);
    text_.Text(Keys[i].second, ActionX, Y, KeyRow, TAlign::Left, White);
  }

  const char* const Help = "Up / Down choose, Left / Right change";
  text_.Text(Help, float(W) / 2, Hf * 0.09f, Fitted(Help, Hf * 0.03f, Span * 0.9f), TAlign::Centre, Grey);
  if (Notice.empty())
    text_.Text("PRESS P TO PLAY", float(W) / 2, Hf * 0.035f, Hf * 0.04f, TAlign::Centre, White, true);
  else
    NoticeLine(W, H, Notice);
  text_.End();
}
