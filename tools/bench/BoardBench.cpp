// skyrend-board-bench: figures of a running score board, printed, never
// asserted. Sends GAMES distinct copies of a demo (the same game, with a
// comment of its own) and times until the board has judged them all (games replayed
// a second; run the server with --workers 1 for the figure per core), then
// reads the board from CLIENTS threads at once for SECONDS: reads a second,
// median and 99th percentile. tools/bench/board-bench.sh runs it on SQLite
// and on PostgreSQL.
// usage: skyrend-board-bench PORT DEMO [GAMES] [CLIENTS] [SECONDS]
#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>
#include <vector>

using nlohmann::json;
using Clock = std::chrono::steady_clock;

namespace {

double SecondsSince(Clock::time_point Start) { return std::chrono::duration<double>(Clock::now() - Start).count(); }

// Whether game Id has been judged; adds the frames it ran when it was ranked.
bool Judged(httplib::Client& Client, long Id, long& Frames) {
  const auto R = Client.Get(("/api/v1/games/" + std::to_string(Id)).c_str());
  if (!R || R->status != 200) return false;
  const json J = json::parse(R->body);
  Frames += J.value("frames", 0L);
  return J["state"] != "queued";
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: skyrend-board-bench PORT DEMO [GAMES] [CLIENTS] [SECONDS]\n");
    return 2;
  }
  const int Port = std::atoi(argv[1]);
  std::ifstream In(argv[2], std::ios::binary);
  std::ostringstream Text;
  Text << In.rdbuf();
  const std::string Demo = Text.str();
  const int Games = argc > 3 ? std::atoi(argv[3]) : 500;
  const int Clients = argc > 4 ? std::atoi(argv[4]) : 50;
  const double Seconds = argc > 5 ? std::atof(argv[5]) : 5;
  if (Demo.empty() || Port <= 0 || Games <= 0 || Clients <= 0) {
    std::fprintf(stderr, "skyrend-board-bench: no demo in %s, or a bad number\n", argv[2]);
    return 2;
  }
  httplib::Client Client("127.0.0.1", Port);
  Client.set_read_timeout(60, 0);
  std::vector<long> Ids;
  const auto SendStart = Clock::now();
  for (int i = 0; i < Games; ++i) {
    const json Game{{"name", "Bench"}, {"demo", Demo + "# copy " + std::to_string(i) + "\n"}};
    const auto R = Client.Post("/api/v1/games", Game.dump(), "application/json");
    if (!R || R->status != 202) {
      std::fprintf(stderr, "skyrend-board-bench: a game was not taken: %s\n",
                   R ? R->body.c_str() : httplib::to_string(R.error()).c_str());
      return 1;
    }
    Ids.push_back(json::parse(R->body)["id"].get<long>());
  }
  const double Sent = SecondsSince(SendStart);
  long Frames = 0;
  for (const long Id : Ids)
    while (!Judged(Client, Id, Frames)) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const double AllJudged = SecondsSince(SendStart);
  std::printf("games: %d sent in %.2f s (%.0f a second); all replayed and judged after %.2f s: %.1f games, "
              "%.0f frames a second\n",
              Games, Sent, Games / Sent, AllJudged, Games / AllJudged, Frames / AllJudged);

  std::vector<std::vector<double>> Latencies(Clients);
  std::vector<std::thread> Threads;
  // The first second warms up (the server opens its connections to the
  // database) and is not counted.
  const auto WarmStart = Clock::now();
  const auto ReadStart = WarmStart + std::chrono::seconds(1);
  for (int c = 0; c < Clients; ++c) {
    Threads.emplace_back([&, c] {
      httplib::Client Reader("127.0.0.1", Port);
      Reader.set_keep_alive(true);  // as a browser does
      const char* Periods[] = {"all", "month", "week"};
      for (int i = 0; SecondsSince(ReadStart) < Seconds; ++i) {
        const auto At = Clock::now();
        const bool Counted = At >= ReadStart;
        const std::string Path = std::string("/api/v1/board?period=") + Periods[i % 3] + "&page=" + std::to_string(1 + i % 5);
        const auto R = Reader.Get(Path.c_str());
        if (!R || R->status != 200 || !Counted) continue;
        Latencies[c].push_back(SecondsSince(At) * 1000);
      }
    });
  }
  for (std::thread& T : Threads) T.join();
  const double Read = SecondsSince(ReadStart);
  std::vector<double> All;
  for (const auto& L : Latencies) All.insert(All.end(), L.begin(), L.end());
  std::sort(All.begin(), All.end());
  if (All.empty()) {
    std::printf("board reads: none answered\n");
    return 1;
  }
  const auto Percentile = [&All](double P) { return All[std::min(All.size() - 1, static_cast<size_t>(P * All.size()))]; };
  std::printf("board reads: %d clients, %zu reads in %.1f s: %.0f a second; median %.2f ms, 99th percentile %.2f ms\n",
              Clients, All.size(), Read, All.size() / Read, Percentile(0.5), Percentile(0.99));
  return 0;
}
