#include "JudgeWorkers.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "GameRules.h"

TJudgeWorkers::TJudgeWorkers(IStorage& Storage, const TModelRadii& Radii, int Count)
    : storage_(Storage), radii_(Radii) {
  for (int i = 0; i < Count; ++i) threads_.emplace_back([this] { Run(); });
}

TJudgeWorkers::~TJudgeWorkers() {
  {
    std::lock_guard<std::mutex> Lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  for (std::thread& T : threads_) T.join();
}

void TJudgeWorkers::Wake() {
  {
    std::lock_guard<std::mutex> Lock(mutex_);
    ++pending_;
  }
  wake_.notify_one();
}

void TJudgeWorkers::Run() {
  const auto Judge = [this](const TQueuedGame& G) { return JudgeDemo(G, radii_); };
  std::string LastFailure;
  for (;;) {
    bool Judged = false;
    try {
      Judged = storage_.JudgeNext(Judge, static_cast<int64_t>(std::time(nullptr)));
      LastFailure.clear();
    } catch (const EStorageDown& e) {
      // Said once, not every second while the database is away.
      if (LastFailure != e.what()) std::fprintf(stderr, "skyrend-server: %s\n", e.what());
      LastFailure = e.what();
    }
    std::unique_lock<std::mutex> Lock(mutex_);
    if (stop_) return;
    if (Judged) continue;
    wake_.wait_for(Lock, std::chrono::seconds(1), [this] { return stop_ || pending_ > 0; });
    if (stop_) return;
    if (pending_ > 0) --pending_;
  }
}
