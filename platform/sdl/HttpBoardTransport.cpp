#include "HttpBoardTransport.h"

#include <httplib.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// A connection that cannot be made, or an answer that does not come, ends the
// request within these: the game waits for the thread only when it quits.
constexpr int ConnectSeconds = 3, AnswerSeconds = 10;

// Why a request got no answer, in the player's words.
std::string Why(httplib::Error E) {
  switch (E) {
    case httplib::Error::Connection: return "no connection";
    case httplib::Error::ConnectionTimeout: return "no connection in time";
    case httplib::Error::Read: return "no answer";
    case httplib::Error::Write: return "the game could not be sent";
    case httplib::Error::SSLConnection: return "no secure connection";
    case httplib::Error::SSLLoadingCerts: return "no certificates to check it with";
    case httplib::Error::SSLServerVerification: return "its certificate is not trusted";
    default: return httplib::to_string(E);
  }
}

class THttpBoardTransport : public IBoardTransport {
 public:
  ~THttpBoardTransport() override {
    {
      std::lock_guard<std::mutex> Lock(mutex_);
      stop_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
  }

  void Request(const std::string& Board, const std::string& Path, const std::string& Body,
               std::function<void(const TBoardAnswer&)> Done) override {
    {
      std::lock_guard<std::mutex> Lock(mutex_);
      todo_.push_back({Board, Path, Body, std::move(Done), {}});
    }
    if (!thread_.joinable()) thread_ = std::thread([this] { Work(); });
    wake_.notify_one();
  }

  void Poll() override {
    {
      std::lock_guard<std::mutex> Lock(mutex_);
      if (done_.empty()) return;
      handing_.swap(done_);
    }
    for (TJob& Job : handing_) Job.Done(Job.Answer);
    handing_.clear();
  }

 private:
  struct TJob {
    std::string Board, Path, Body;
    std::function<void(const TBoardAnswer&)> Done;
    TBoardAnswer Answer;
  };

  void Work() {
    for (;;) {
      TJob Job;
      {
        std::unique_lock<std::mutex> Lock(mutex_);
        wake_.wait(Lock, [this] { return stop_ || !todo_.empty(); });
        if (stop_) return;
        Job = std::move(todo_.front());
        todo_.pop_front();
      }
      Ask(Job);
      std::lock_guard<std::mutex> Lock(mutex_);
      done_.push_back(std::move(Job));
    }
  }

  static void Ask(TJob& Job) {
    // The board's address may carry a path its API lies under.
    const size_t Host = Job.Board.find("://") + 3;
    const size_t Slash = Job.Board.find('/', Host);
    const std::string Origin = Job.Board.substr(0, Slash);
    std::string Prefix = Slash == std::string::npos ? "" : Job.Board.substr(Slash);
    while (!Prefix.empty() && Prefix.back() == '/') Prefix.pop_back();
    httplib::Client Client(Origin);
    if (!Client.is_valid()) {
      Job.Answer.Error = "the board's address cannot be used";
      return;
    }
    Client.set_connection_timeout(ConnectSeconds, 0);
    Client.set_read_timeout(AnswerSeconds, 0);
    Client.set_write_timeout(AnswerSeconds, 0);
    const httplib::Result Res = Job.Body.empty() ? Client.Get((Prefix + Job.Path).c_str())
                                                 : Client.Post((Prefix + Job.Path).c_str(), Job.Body, "application/json");
    if (!Res) {
      Job.Answer.Error = Why(Res.error());
      return;
    }
    Job.Answer.Status = Res->status;
    Job.Answer.Body = Res->body;
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<TJob> todo_;
  std::vector<TJob> done_, handing_;  // swapped at Poll: an idle frame allocates nothing
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace

std::unique_ptr<IBoardTransport> MakeBoardTransport() { return std::make_unique<THttpBoardTransport>(); }
