// The real server on a PostgreSQL cluster the test starts: a game sent to a
// server without replay threads is ranked by a --worker process, and with
// the database gone every request gets 503 with the reason, until it is back.
#include <gtest/gtest.h>

#include "PostgresCluster.h"
#include "ServerUnderTest.h"

using nlohmann::json;

TEST(BoardOnPostgres, WorkersElsewhereRankAndADatabaseGoneAnswers503) {
  TPostgresCluster Cluster;
  if (!Cluster.Available()) GTEST_SKIP() << Cluster.Missing();
  const std::string Demo = TestDemo("demo1.txt");
  const long Score = VerifiedScore(Demo);

  TServerUnderTest Server({"--database", Cluster.Url(), "--workers", "0"});
  const auto Sent = Server.Send("Ann", Demo, Score);
  ASSERT_TRUE(Sent);
  ASSERT_EQ(Sent->status, 202) << Sent->body;
  {
    // Two workers race for the games: each game is judged once.
    TServerUnderTest Worker1({"--database", Cluster.Url(), "--worker"});
    TServerUnderTest Worker2({"--database", Cluster.Url(), "--worker"});
    ASSERT_EQ(Server.Send("Bob", Demo, Score)->status, 202);
    const json First = Server.AwaitJudged(1), Second = Server.AwaitJudged(2);
    EXPECT_EQ(First["state"], "ranked") << First.dump();
    EXPECT_EQ(First["score"], Score);
    EXPECT_EQ(Second["state"], "refused") << Second.dump();
    EXPECT_EQ(Second["reason"], "this demo is already on the board");
  }
  ASSERT_TRUE(Cluster.Stop());
  const auto Gone = Server.Client().Get("/api/v1/board");
  ASSERT_TRUE(Gone);
  EXPECT_EQ(Gone->status, 503);
  EXPECT_NE(json::parse(Gone->body)["error"].get<std::string>().find("database"), std::string::npos) << Gone->body;
  EXPECT_EQ(Server.Send("Cy", Demo)->status, 503);
  ASSERT_TRUE(Cluster.Start());
  EXPECT_EQ(Server.Get("/api/v1/board")["total"], 1);
}
