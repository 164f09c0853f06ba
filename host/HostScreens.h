// The host's own screens, drawn in the real font over the game's picture
// (never into the world): "GAME OVER" with the final score and the place it
// took, the high-score table between turns of the logo on the title, a short
// notice, and the pause screen's options and keys. Needs the GL context
// current; every drawing leaves the game's GL state as it found it.
#pragma once
#include <cstdint>
#include <string>

#include "OptionsMenu.h"
#include "Scores.h"
#include "Settings.h"
#include "TextDraw.h"

struct TPauseLayout;
struct TWorldState;

// Whether the title shows the table rather than the logo in its frame
// TitleFrames: the logo first for TitleLogoFrames, then the table for
// TitleTableFrames, and round again. Never while the table is empty.
constexpr int32_t TitleLogoFrames = 420, TitleTableFrames = 300;
bool TitleShowsScores(int32_t TitleFrames, size_t TableSize);

// What follows a place's number: "st" for 1, "nd" for 2, "rd" for 3, "th" for 4 to 20...
const char* OrdinalSuffix(int Place);

extern const std::string NoReplay;  // no demo plays: no marker

class THostScreens {
 public:
  explicit THostScreens(std::string ProgramFolder) : folder_(std::move(ProgramFolder)) {}
  THostScreens(const THostScreens&) = delete;
  THostScreens& operator=(const THostScreens&) = delete;

  // Over a frame the game has just drawn: the game over while its phase runs,
  // the table on the title when its turn comes, and the notice if any, above
  // the bottom Covered pixels (where a phone's touch controls lie). Hint: the
  // title's second line, under "PRESS Z TO PLAY" (the keys for the options and
  // for quitting); "" draws none. Replay, when not empty, marks a demo playing
  // ("REPLAY" and what it is); ChosenRow: the table's row chosen on the title
  // (the table then stays), -1 for none.
  void DrawOverFrame(const TWorldState& World, int ViewWidth, int ViewHeight, const TGameResult& Last,
                     const TScoreTable& Table, const std::string& Notice, int Covered = 0, const char* Hint = "",
                     const std::string& Replay = NoReplay, int ChosenRow = -1);
  // Over the kept picture while paused, where Layout puts them: "PAUSED",
  // the options with their values (the chosen one marked), the keys of the
  // game, and the notice; on the desktop, that a second Escape quits.
  void DrawPaused(const TPauseLayout& Layout, const TOptionsMenu& Menu, const TSettings& Settings, bool Desktop,
                  const std::string& Notice);
  // The table's line under its rows: how to choose a game and watch it
  // (kept as given: the caller keeps the text).
  void SetTableHint(const char* Hint) { tableHint_ = Hint; }
  // The font is ready (read at the first call); without it nothing is drawn.
  bool HasFont() { return text_.Load(folder_); }
  // Frees the font's texture; call before the context goes.
  void Release() { text_.Release(); }

 private:
  void GameOver(int Width, int Height, const TGameResult& Last);
  void ReplayMarker(int Width, int Height, const std::string& Replay);
  void ScoreTable(int Width, int Height, const TScoreTable& Table, const TGameResult& Last, int ChosenRow);
  // Below Ceiling (the table's foot while it shows).
  void TitleHint(int Width, int Height, const char* Hint, float Covered, float Ceiling);
  // Least: the smallest text a player can read, in the view's pixels.
  void NoticeLine(int Width, int Height, const std::string& Notice, float Bottom = 0, float Least = 12);
  // Size, or smaller where Text would be wider than Room.
  float Fitted(const char* Text, float Size, float Room) const;

  std::string folder_;
  TTextDraw text_;
  const char* tableHint_ = "";
};
