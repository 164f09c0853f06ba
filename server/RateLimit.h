// How often one address may ask: a bucket of PerMinute requests that fills
// again at PerMinute a minute. Thread-safe; time comes in from the caller.
#pragma once
#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

class TRateLimit {
 public:
  explicit TRateLimit(int PerMinute) : perMinute_(PerMinute) {}
  // True when Address may make one more request at NowMs (and it is counted).
  bool Allow(const std::string& Address, int64_t NowMs);

 private:
  struct TBucket {
    double Tokens;
    int64_t AtMs;
  };
  int perMinute_;
  std::mutex mutex_;
  std::unordered_map<std::string, TBucket> buckets_;
};
