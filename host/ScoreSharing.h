// Sends the games that end to the score board when the player shares scores,
// and says on screen where each stands or why it was not sent. A game the
// board cannot be reached for waits in the store's unsent list (one line a
// game: its demo's name and score) and goes with the next start or the next
// game over. One request at a time; the answers come through the transport's
// Poll, so nothing here blocks a frame, and an idle Tick does no work.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "BoardTransport.h"
#include "GameHost.h"

// A game's state is asked this many times, this far apart, while the board
// still replays it.
constexpr int BoardPolls = 10;
constexpr uint32_t BoardPollMs = 1000;

class TScoreSharing {
 public:
  using TNotice = std::function<void(const std::string&)>;
  TScoreSharing(IBoardTransport& Transport, IPlayerStore& Store, TNotice Notice);

  // Sends the games that wait, when Settings share scores.
  void SendWaiting(const TSettings& Settings);
  // The game that just ended kept its demo as Replay: sent when Settings
  // share scores, and its standing said.
  void GameEnded(const TSettings& Settings, const std::string& Replay, int64_t Score);
  // Once a frame: the transport's answers, and the next ask of a game's state.
  void Tick(uint32_t NowMs);

  // "1st", "2nd", "12th", "23rd"...
  static std::string Ordinal(int64_t Place);
  // What the board's answer about a game says for the player's eyes: its
  // places ("On the board: 12th this week, ..."), a refusal, or "" while it waits.
  static std::string StandingText(const std::string& Answer);

 private:
  struct TUnsent {
    std::string Replay;
    int64_t Score = 0;
  };
  void Load();
  void Save();
  void SendNext();
  void Sent(const TBoardAnswer& Answer, bool Shown);
  void Asked(const TBoardAnswer& Answer);

  IBoardTransport& transport_;
  IPlayerStore& store_;
  TNotice notice_;
  std::vector<TUnsent> unsent_;
  std::string board_, name_;     // where and as whom the games in hand go
  std::string shownReplay_;      // the game whose standing the player waits for
  bool busy_ = false;            // a request is under way
  std::string askId_;            // the game whose state is asked next; "" for none
  int asksLeft_ = 0;
  uint32_t askAt_ = 0;
  bool askDue_ = false;
  uint32_t now_ = 0;
};
