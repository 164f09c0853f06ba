// Threads that replay queued games and keep their verdicts. They look for
// work when woken (a game was sent here) and once a second (games sent to
// another server of a shared board, or a database that came back).
#pragma once
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "Storage.h"
#include "World.h"

class TJudgeWorkers {
 public:
  TJudgeWorkers(IStorage& Storage, const TModelRadii& Radii, int Count);
  ~TJudgeWorkers();  // stops and joins the threads
  void Wake();

 private:
  void Run();

  IStorage& storage_;
  TModelRadii radii_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  int pending_ = 0;  // wakes not yet taken
  std::vector<std::thread> threads_;
};
