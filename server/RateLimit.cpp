#include "RateLimit.h"

#include <algorithm>

namespace {

// Past this many addresses, the full buckets (quiet addresses) are forgotten,
// so a crowd of addresses cannot grow the table without end.
constexpr size_t MaxAddresses = 100000;

}  // namespace

bool TRateLimit::Allow(const std::string& Address, int64_t NowMs) {
  if (perMinute_ <= 0) return true;
  const double Full = perMinute_;
  const auto Refill = [&](TBucket& B) {
    B.Tokens = std::min(Full, B.Tokens + (NowMs - B.AtMs) * Full / 60000.0);
    B.AtMs = NowMs;
  };
  std::lock_guard<std::mutex> Lock(mutex_);
  if (buckets_.size() >= MaxAddresses) {
    for (auto It = buckets_.begin(); It != buckets_.end();) {
      Refill(It->second);
      It = It->second.Tokens >= Full ? buckets_.erase(It) : std::next(It);
    }
  }
  auto [It, New] = buckets_.try_emplace(Address, TBucket{Full, NowMs});
  TBucket& B = It->second;
  if (!New) Refill(B);
  if (B.Tokens < 1) return false;
  B.Tokens -= 1;
  return true;
}
