#include "ScoreSharing.h"

#include <sstream>

#include "BoardJson.h"
#include "ScoreFile.h"

TScoreSharing::TScoreSharing(IBoardTransport& Transport, IPlayerStore& Store, TNotice Notice)
    : transport_(Transport), store_(Store), notice_(std::move(Notice)) {
  Load();
}

void TScoreSharing::Load() {
  std::istringstream In(store_.ReadUnsent());
  std::string Line;
  while (std::getline(In, Line)) {
    std::istringstream Words(Line);
    TUnsent Game;
    // A line that is not a demo's name and a score is no game of ours: dropped.
    if (Words >> Game.Replay >> Game.Score && IsReplayName(Game.Replay) && Game.Score > 0) unsent_.push_back(Game);
  }
}

void TScoreSharing::Save() {
  std::string Text;
  for (const TUnsent& Game : unsent_) Text += Game.Replay + " " + std::to_string(Game.Score) + "\n";
  std::string Problem;
  if (!store_.WriteUnsent(Text, Problem)) notice_("Unsent games not kept: " + Problem);
}

void TScoreSharing::SendWaiting(const TSettings& S) {
  if (!S.ShareScores || S.PlayerName.empty() || S.Board.empty()) return;
  board_ = S.Board;
  name_ = S.PlayerName;
  SendNext();
}

void TScoreSharing::GameEnded(const TSettings& S, const std::string& Replay, int64_t Score) {
  if (!S.ShareScores || Replay.empty()) return;
  if (S.PlayerName.empty()) return notice_("Score not sent: player_name is not set in the settings");
  if (S.Board.empty()) return notice_("Score not sent: board is not set in the settings");
  unsent_.push_back({Replay, Score});
  Save();
  shownReplay_ = Replay;
  askId_.clear();  // the game before this one is no longer asked after
  askDue_ = false;
  SendWaiting(S);
}

void TScoreSharing::SendNext() {
  while (!busy_ && !unsent_.empty()) {
    const TUnsent Game = unsent_.front();
    std::string Demo, Problem;
    if (!store_.ReadReplay(Game.Replay, Demo, Problem)) {
      // Its demo is gone: nothing can prove the game any more.
      unsent_.erase(unsent_.begin());
      Save();
      if (Game.Replay == shownReplay_) notice_("Score not sent: " + Problem);
      continue;
    }
    busy_ = true;
    const bool Shown = Game.Replay == shownReplay_;
    const std::string Body = "{\"name\":" + JsonText(name_) + ",\"score\":" + std::to_string(Game.Score) +
                             ",\"demo\":" + JsonText(Demo) + "}";
    transport_.Request(board_, "/api/v1/games", Body, [this, Shown](const TBoardAnswer& A) { Sent(A, Shown); });
  }
}

namespace {

// The reason a refusing or failing answer gives, or its status.
std::string ReasonOf(const TBoardAnswer& A) {
  std::string Reason;
  if (JsonField(A.Body, "reason", Reason) || JsonField(A.Body, "error", Reason)) return Reason;
  return "the board answered " + std::to_string(A.Status);
}

}  // namespace

void TScoreSharing::Sent(const TBoardAnswer& A, bool Shown) {
  busy_ = false;
  if (A.Status == 0 || A.Status == 429 || A.Status >= 500) {
    // The board is away or busy: the game waits for the next start or game over.
    if (Shown) {
      const std::string Why = A.Status == 0 ? "the board cannot be reached (" + A.Error + ")" : ReasonOf(A);
      notice_("Score not sent: " + Why + "; it is sent later");
    }
    return;
  }
  unsent_.erase(unsent_.begin());
  Save();
  std::string Id;
  if (A.Status >= 200 && A.Status < 300 && JsonField(A.Body, "id", Id)) {
    if (Shown) {
      askId_ = Id;
      asksLeft_ = BoardPolls;
      askAt_ = now_ + BoardPollMs;
      askDue_ = true;
    }
  } else if (Shown) {
    notice_("Board refused the score: " + ReasonOf(A));
  }
  SendNext();
}

void TScoreSharing::Tick(uint32_t NowMs) {
  now_ = NowMs;
  transport_.Poll();
  if (!askDue_ || busy_ || int32_t(NowMs - askAt_) < 0) return;
  askDue_ = false;
  busy_ = true;
  const std::string Id = askId_;
  transport_.Request(board_, "/api/v1/games/" + Id, "", [this, Id](const TBoardAnswer& A) {
    busy_ = false;
    if (Id == askId_) Asked(A);
    SendNext();
  });
}

void TScoreSharing::Asked(const TBoardAnswer& A) {
  const std::string Text = A.Status == 200 ? StandingText(A.Body) : "";
  if (!Text.empty() || --asksLeft_ <= 0) {
    askId_.clear();
    notice_(!Text.empty() ? Text : "Score sent: the board has not checked it yet");
    return;
  }
  askAt_ = now_ + BoardPollMs;
  askDue_ = true;
}

std::string TScoreSharing::Ordinal(int64_t Place) {
  const int64_t Tens = Place % 100, Ones = Place % 10;
  const char* Suffix = Tens >= 11 && Tens <= 13 ? "th" : Ones == 1 ? "st" : Ones == 2 ? "nd" : Ones == 3 ? "rd" : "th";
  return std::to_string(Place) + Suffix;
}

std::string TScoreSharing::StandingText(const std::string& Answer) {
  std::string State, Reason;
  if (!JsonField(Answer, "state", State)) return "";
  if (State == "refused") {
    JsonField(Answer, "reason", Reason);
    return "Board refused the score: " + Reason;
  }
  if (State != "ranked") return "";
  std::string Text;
  const char* Periods[][2] = {{"week", " this week"}, {"month", " this month"}, {"all", " of all time"}};
  for (const auto& P : Periods) {
    std::string Place;
    if (!JsonField(Answer, std::string("places.") + P[0], Place) || Place.empty() || Place.size() > 12 ||
        Place.find_first_not_of("0123456789") != std::string::npos)
      continue;  // none in that period (null), or no place at all
    Text += (Text.empty() ? "On the board: " : ", ") + Ordinal(std::stoll(Place)) + P[1];
  }
  return Text.empty() ? "On the board" : Text;
}
