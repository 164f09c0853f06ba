// The real server on SQLite in a temporary folder: what it ranks, what it
// refuses and why, hostile requests, a flood, and a kill mid-verification.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>

#include <chrono>
#include <thread>

#include "ServerUnderTest.h"

using nlohmann::json;

namespace {

std::vector<std::string> OnSqlite(const TTempFolder& Folder, std::vector<std::string> More = {}) {
  std::vector<std::string> Args{"--database", Folder.Path() + "/board.sqlite"};
  Args.insert(Args.end(), More.begin(), More.end());
  return Args;
}

// Demo with one more frame at the end: the same game, another demo.
std::string Longer(const std::string& Demo, long LastFrame) {
  return Demo + std::to_string(LastFrame) + " tick " + std::to_string(LastFrame * 20) + "\n";
}

}  // namespace

TEST(BoardOnSqlite, RanksTheReplayedScoreAndRefusesEachFaultWithItsReason) {
  TTempFolder Folder;
  TServerUnderTest Server(OnSqlite(Folder));
  const std::string Demo = TestDemo("demo1.txt");
  const long Score = VerifiedScore(Demo);
  ASSERT_GT(Score, 0);
  std::string Unfired;  // the same input without the shot that scored
  for (size_t From = 0, To; From < Demo.size(); From = To + 1) {
    To = Demo.find('\n', From);
    const std::string Line = Demo.substr(From, To - From + 1);
    if (Line.find("down 32") == std::string::npos) Unfired += Line;
  }
  ASSERT_NE(VerifiedScore(Unfired), Score);

  const struct {
    const char* What;
    std::string Demo;
    long Claimed;
    const char* Reason;  // empty: ranked
  } Cases[] = {
      {"an honest game", Demo, Score, ""},
      {"the same demo again", Demo, Score, "already on the board"},
      {"an edited score", Longer(Demo, 300), Score + 100, "claimed score"},
      {"an edited demo", Unfired, Score, "claimed score"},
      // A demo the game's check refuses (no demo, or of another rules
      // version) is refused with the check's own reason.
      {"no demo", "# a text\n1 tick 40\n", -1, "not a demo"},
      {"other rules", "# Skyrend demo at 1024x768, rules 0.1: x" + Longer(Demo, 500).substr(Demo.find('\n')), Score,
       "recorded under rules version \"0.1\""},
      {"over two hours", Longer(Demo, 432001), -1, "more than 432000"},
      {"no score claimed", Longer(Demo, 400), -1, ""},
  };
  for (const auto& C : Cases) {
    const auto Sent = Server.Send("Ann", C.Demo, C.Claimed);
    ASSERT_TRUE(Sent) << C.What;
    ASSERT_EQ(Sent->status, 202) << C.What << ": " << Sent->body;
    const json Game = Server.AwaitJudged(json::parse(Sent->body)["id"]);
    if (*C.Reason == 0) {
      EXPECT_EQ(Game["state"], "ranked") << C.What << ": " << Game.dump();
      EXPECT_EQ(Game["score"], Score) << C.What;
    } else {
      EXPECT_EQ(Game["state"], "refused") << C.What;
      EXPECT_NE(Game["reason"].get<std::string>().find(C.Reason), std::string::npos) << C.What << ": " << Game.dump();
    }
  }
  // Ties are in the order they were ranked; the second page holds the second game.
  const json Board = Server.Get("/api/v1/board?period=week&per_page=1&page=2");
  EXPECT_EQ(Board["total"], 2);
  ASSERT_EQ(Board["games"].size(), 1u);
  EXPECT_EQ(Board["games"][0]["place"], 2);
  EXPECT_EQ(Server.Get("/api/v1/games/1")["places"]["week"], 1);
  EXPECT_EQ(Server.Client().Get("/api/v1/games/1/demo")->body, Demo);
  EXPECT_EQ(Server.Client().Get("/api/v1/games/3/demo")->status, 404);  // refused games are not served
}

TEST(BoardOnSqlite, HostileRequestsGetClearAnswersAndChangeNothing) {
  TTempFolder Folder;
  TServerUnderTest Server(OnSqlite(Folder, {"--cors-origin", "https://board.example"}));
  const std::string Demo = TestDemo("demo1.txt");
  auto& Client = Server.Client();
  const auto Post = [&Client](const std::string& Body, const char* Type = "application/json") {
    return Client.Post("/api/v1/games", Body, Type);
  };
  const json Good{{"name", "Ann"}, {"demo", Demo}};
  const auto Named = [&Good](const std::string& Name) {
    json J = Good;
    J["name"] = Name;
    return J.dump();
  };
  const struct {
    const char* What;
    httplib::Result Answer;
    int Status;
  } Cases[] = {
      {"malformed JSON", Post("{\"name\": \"Ann\", \"demo\": "), 400},
      {"a JSON list", Post("[1, 2]"), 400},
      {"deep nesting", Post(std::string(500000, '[') + std::string(500000, ']')), 400},
      {"no demo", Post(json{{"name", "Ann"}}.dump()), 400},
      {"a score that is text", Post(json{{"name", "Ann"}, {"demo", Demo}, {"score", "500"}}.dump()), 400},
      {"a name with control bytes", Post(Named("Ann\x1b[2J")), 422},
      {"a name with SQL", Post(Named("x'); DROP TABLE games;--")), 422},
      {"a demo with a NUL", Post(json{{"name", "Ann"}, {"demo", std::string("# x\0y", 5)}}.dump()), 422},
      {"a form instead of JSON", Post("name=Ann", "application/x-www-form-urlencoded"), 415},
  };
  for (const auto& C : Cases) {
    ASSERT_TRUE(C.Answer) << C.What;
    EXPECT_EQ(C.Answer->status, C.Status) << C.What << ": " << C.Answer->body;
    const json Body = json::parse(C.Answer->body, nullptr, false);
    EXPECT_TRUE(Body.contains("error") || Body.contains("reason")) << C.What << ": " << C.Answer->body;
  }
  // Bodies refused before they are read: one over 2 MB, one of no told length.
  const std::string Head = "POST /api/v1/games HTTP/1.1\r\nHost: x\r\nConnection: close\r\nContent-Type: application/json\r\n";
  EXPECT_NE(Server.Raw(Head + "Content-Length: 2097153\r\n\r\n{").find("HTTP/1.1 413"), std::string::npos);
  EXPECT_NE(Server.Raw(Head + "Transfer-Encoding: chunked\r\n\r\n1\r\n{\r\n").find("HTTP/1.1 411"), std::string::npos);
  // A small body that unpacks past 32 MB is cut off while it unpacks.
  Client.set_compress(true);
  const auto Bomb = Client.Post("/api/v1/games", json{{"name", "Ann"}, {"demo", std::string(33 << 20, '1')}}.dump(),
                                 "application/json");
  Client.set_compress(false);
  ASSERT_TRUE(Bomb);
  EXPECT_EQ(Bomb->status, 413) << Bomb->body;
  // Nothing was queued, and an honest game still goes through.
  EXPECT_EQ(Server.Get("/api/v1/games/1", 404)["error"], "no such game");
  const auto Sent = Post(Good.dump());
  ASSERT_TRUE(Sent);
  EXPECT_EQ(Server.AwaitJudged(json::parse(Sent->body)["id"])["state"], "ranked");

  // CORS headers only for the origins the operator listed.
  const auto Listed = Client.Get("/api/v1/board", {{"Origin", "https://board.example"}});
  const auto Other = Client.Get("/api/v1/board", {{"Origin", "https://evil.example"}});
  EXPECT_EQ(Listed->get_header_value("Access-Control-Allow-Origin"), "https://board.example");
  EXPECT_FALSE(Other->has_header("Access-Control-Allow-Origin"));
}

TEST(BoardOnSqlite, AFloodFromOneAddressIsTurnedAway) {
  TTempFolder Folder;
  TServerUnderTest Server(OnSqlite(Folder, {"--rate-limit", "20"}));
  int Served = 0, TurnedAway = 0;
  for (int i = 0; i < 30; ++i) {
    const auto R = Server.Client().Get("/api/v1/board");
    ASSERT_TRUE(R);
    if (R->status == 200) ++Served;
    if (R->status == 429) ++TurnedAway;
  }
  EXPECT_EQ(Served, 20);
  EXPECT_EQ(TurnedAway, 10);
}

TEST(BoardOnSqlite, AServerKilledMidVerificationLosesNoGame) {
  TTempFolder Folder;
  const std::string Demo = TestDemo("demo1.txt");
  const long Score = VerifiedScore(Demo);
  constexpr int Games = 12;
  {
    TServerUnderTest Server(OnSqlite(Folder, {"--workers", "1", "--send-limit", "0"}));
    // Long demos (the same game played on for 400,000 frames) keep the one
    // worker busy when the kill comes.
    for (int i = 0; i < Games; ++i) ASSERT_EQ(Server.Send("Ann", Longer(Demo, 400000 + i), Score)->status, 202);
    while (Server.Get("/api/v1/games/1")["state"] == "queued") std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_EQ(Server.Get("/api/v1/games/" + std::to_string(Games))["state"], "queued");
    Server.Kill();
  }
  // The kill came while a game was being replayed.
  sqlite3* Db = nullptr;
  ASSERT_EQ(sqlite3_open((Folder.Path() + "/board.sqlite").c_str(), &Db), SQLITE_OK);
  sqlite3_stmt* Started = nullptr;
  sqlite3_prepare_v2(Db, "SELECT count(*) FROM games WHERE state = 'started'", -1, &Started, nullptr);
  ASSERT_EQ(sqlite3_step(Started), SQLITE_ROW);
  EXPECT_EQ(sqlite3_column_int(Started, 0), 1);
  sqlite3_finalize(Started);
  sqlite3_close(Db);

  TServerUnderTest Server(OnSqlite(Folder));
  for (int Id = 1; Id <= Games; ++Id) EXPECT_EQ(Server.AwaitJudged(Id)["state"], "ranked") << "game " << Id;
  EXPECT_EQ(Server.Get("/api/v1/board")["total"], Games);
}

TEST(BoardOnSqlite, HelpSaysEveryOptionAndBadOptionsAreNamed) {
  std::string Help, Bad;
  EXPECT_EQ(RunServer({"--help"}, Help), 0);
  for (const char* Option : {"--listen", "--port", "--database", "--workers", "--worker", "--models", "--game-page",
                             "--cors-origin", "--rate-limit", "--send-limit", "--trust-proxy", "--version"})
    EXPECT_NE(Help.find(Option), std::string::npos) << Option;
  EXPECT_EQ(RunServer({"--port", "http"}, Bad), 2);
  EXPECT_NE(Bad.find("bad value for --port: http"), std::string::npos) << Bad;
  EXPECT_EQ(RunServer({"--worker"}, Bad), 2);
  EXPECT_NE(Bad.find("--worker needs a PostgreSQL database"), std::string::npos) << Bad;
}
