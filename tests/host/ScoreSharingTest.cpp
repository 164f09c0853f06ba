// Sending games to the score board: kept when it cannot be reached and sent
// at the next start, the standing or the refusal said, nothing without the
// player's consent.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "BoardJson.h"
#include "ScoreSharing.h"

namespace {

// Holds requests until the test answers them, as a board far away would.
class TFakeBoard : public IBoardTransport {
 public:
  struct TAsked {
    std::string Url, Body;
    std::function<void(const TBoardAnswer&)> Done;
  };
  void Request(const std::string& Board, const std::string& Path, const std::string& Body,
               std::function<void(const TBoardAnswer&)> Done) override {
    Asked.push_back({Board + Path, Body, std::move(Done)});
  }
  void Poll() override {
    for (; !Answers.empty() && !Asked.empty(); Answers.erase(Answers.begin())) {
      auto Done = std::move(Asked.front().Done);
      Asked.erase(Asked.begin());
      Done(Answers.front());
    }
  }
  std::vector<TAsked> Asked;
  std::vector<TBoardAnswer> Answers;
};

class TMemoryStore : public IPlayerStore {
 public:
  std::string SaveSettings(const TSettings&) override { return ""; }
  void AddScore(const TScoreEntry&, std::function<void(const TScoreSave&)>) override {}
  bool ReadReplay(const std::string& Name, std::string& Text, std::string& Problem) override {
    if (!Replays.count(Name)) Problem = "no demo " + Name;
    Text = Replays.count(Name) ? Replays[Name] : "";
    return !Text.empty();
  }
  std::string ReadUnsent() override { return Unsent; }
  bool WriteUnsent(const std::string& Text, std::string&) override {
    Unsent = Text;
    return true;
  }
  std::map<std::string, std::string> Replays{{"2026-12-08_10-00-00.txt", "skyrend demo\n1 key \"down\" 32\n"}};
  std::string Unsent;
};

const std::string Replay = "2026-12-08_10-00-00.txt";

TSettings Sharing() {
  TSettings S;
  S.ShareScores = true;
  S.PlayerName = "Ann";
  S.Board = "http://board";
  return S;
}

struct ScoreSharingTest : ::testing::Test {
  TFakeBoard Board;
  TMemoryStore Store;
  std::vector<std::string> Notices;
  TScoreSharing::TNotice Note = [this](const std::string& T) { Notices.push_back(T); };

  // Answers the request under way and lets time pass to the next ask.
  void Answer(int Status, const std::string& Body, uint32_t Now, TScoreSharing& S) {
    Board.Answers.push_back({Status, Body, Status ? "" : "Connection refused"});
    S.Tick(Now);
  }
};

TEST_F(ScoreSharingTest, AGameTheBoardCannotReachWaitsAndGoesAtTheNextStart) {
  {
    TScoreSharing S(Board, Store, Note);
    S.GameEnded(Sharing(), Replay, 1250);
    ASSERT_EQ(Board.Asked.size(), 1u);
    EXPECT_EQ(Board.Asked[0].Url, "http://board/api/v1/games");
    EXPECT_EQ(Board.Asked[0].Body,
              "{\"name\":\"Ann\",\"score\":1250,\"demo\":\"skyrend demo\\n1 key \\\"down\\\" 32\\n\"}");
    Answer(0, "", 10, S);
    EXPECT_EQ(Notices.back(), "Score not sent: the board cannot be reached (Connection refused); it is sent later");
    Answer(503, "{\"error\":\"the database is gone\"}", 20, S);  // nothing is asked: it waits
    EXPECT_EQ(Store.Unsent, Replay + " 1250\n");
  }
  Board.Asked.clear();
  Board.Answers.clear();
  Store.Unsent += "../../etc/passwd 5\nnonsense\n";  // lines no game of ours wrote are dropped
  TScoreSharing Next(Board, Store, Note);
  Next.SendWaiting(Sharing());
  ASSERT_EQ(Board.Asked.size(), 1u);
  Answer(202, "{\"id\":7,\"state\":\"queued\"}", 30, Next);
  EXPECT_EQ(Store.Unsent, "");
  Next.Tick(5000);
  EXPECT_TRUE(Board.Asked.empty());  // a game of an earlier run is sent without a word
  EXPECT_EQ(Notices.size(), 1u);
}

TEST_F(ScoreSharingTest, TheScreenSaysWhereTheGameStandsOnceTheBoardHasReplayedIt) {
  TScoreSharing S(Board, Store, Note);
  S.GameEnded(Sharing(), Replay, 1250);
  Answer(202, "{\"id\":7,\"state\":\"queued\"}", 0, S);
  S.Tick(BoardPollMs - 1);
  EXPECT_TRUE(Board.Asked.empty());  // not asked before its time
  S.Tick(BoardPollMs);
  ASSERT_EQ(Board.Asked.size(), 1u);
  EXPECT_EQ(Board.Asked[0].Url, "http://board/api/v1/games/7");
  Answer(200, "{\"id\":7,\"state\":\"started\"}", BoardPollMs + 10, S);
  EXPECT_TRUE(Notices.empty());
  S.Tick(2 * BoardPollMs + 10);
  Answer(200,
         "{\"id\":7,\"name\":\"Ann\",\"state\":\"ranked\",\"score\":1250,"
         "\"places\":{\"all\":40,\"month\":null,\"week\":12}}",
         2 * BoardPollMs + 20, S);
  ASSERT_EQ(Notices.size(), 1u);
  EXPECT_EQ(Notices[0], "On the board: 12th this week, 40th of all time");
}

TEST_F(ScoreSharingTest, TheBoardsReasonIsSaidForARefusedGame) {
  TScoreSharing S(Board, Store, Note);
  S.GameEnded(Sharing(), Replay, 1250);
  Answer(422, "{\"state\":\"refused\",\"reason\":\"the replay reaches 900, not the claimed 1250\"}", 0, S);
  EXPECT_EQ(Notices.back(), "Board refused the score: the replay reaches 900, not the claimed 1250");
  EXPECT_EQ(Store.Unsent, "");  // sent again it would be refused again
  EXPECT_EQ(TScoreSharing::StandingText("{\"state\":\"refused\",\"reason\":\"a demo already on the board\"}"),
            "Board refused the score: a demo already on the board");
  EXPECT_EQ(TScoreSharing::StandingText("not json"), "");
}

TEST_F(ScoreSharingTest, NothingIsSentWithoutConsentANameAndABoard) {
  TScoreSharing S(Board, Store, Note);
  TSettings Off = Sharing();
  Off.ShareScores = false;
  S.GameEnded(Off, Replay, 10);
  EXPECT_TRUE(Notices.empty());
  TSettings Nameless = Sharing();
  Nameless.PlayerName.clear();
  S.GameEnded(Nameless, Replay, 10);
  EXPECT_EQ(Notices.back(), "Score not sent: player_name is not set in the settings");
  EXPECT_TRUE(Board.Asked.empty());
  EXPECT_EQ(Store.Unsent, "");
}

TEST(BoardText, PlacesReadAsOrdinalsAndTextsRoundTripThroughJson) {
  const std::pair<int, const char*> Places[] = {{1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"},   {11, "11th"},
                                                 {12, "12th"}, {13, "13th"}, {21, "21st"}, {102, "102nd"}, {113, "113th"}};
  for (const auto& P : Places) EXPECT_EQ(TScoreSharing::Ordinal(P.first), P.second);
  const std::string Odd = "a \"b\\\" \n\t\x01 z";
  std::string Back;
  ASSERT_TRUE(JsonField("{\"x\":[1,{\"y\":2}],\"t\":" + JsonText(Odd) + "}", "t", Back));
  EXPECT_EQ(Back, Odd);
  EXPECT_FALSE(JsonField("{\"t\":\"open", "t", Back));
}

}  // namespace
