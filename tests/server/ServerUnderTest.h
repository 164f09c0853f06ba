// The real skyrend-server, started for a test on a free port and stopped
// after it, with a client for its API; and the demos with the scores that
// skyrend-verify finds in them.
#pragma once
#include <httplib.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

class TServerUnderTest {
 public:
  // Starts the server with Args (after --port 0) and waits until it listens
  // (a --worker: until it replays; it has no client).
  explicit TServerUnderTest(const std::vector<std::string>& Args);
  ~TServerUnderTest();  // SIGTERM, then waits
  void Kill();          // SIGKILL, then waits
  httplib::Client& Client() { return *client_; }
  // POSTs a game; the response.
  httplib::Result Send(const std::string& Name, const std::string& Demo, long Claimed = -1);
  // Waits (at most 60 s) until game Id is no longer queued; its state.
  nlohmann::json AwaitJudged(long Id);
  nlohmann::json Get(const std::string& Path, int ExpectStatus = 200);
  // Sends Request as it is and returns what comes back until the server hangs up.
  std::string Raw(const std::string& Request);

 private:
  int pid_ = -1;
  int port_ = 0;
  std::unique_ptr<httplib::Client> client_;
};

// Runs skyrend-server Args to the end; its exit code, with its output in Output.
int RunServer(const std::vector<std::string>& Args, std::string& Output);

std::string ReadText(const std::string& Path);
std::string TestDemo(const std::string& Name);  // tests/data/demos/Name
// The score skyrend-verify reaches on Demo.
long VerifiedScore(const std::string& Demo);
// A temporary folder removed with the object.
class TTempFolder {
 public:
  TTempFolder();
  ~TTempFolder();
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};
