// The desktop's player files (and the headless tools' --settings/--scores):
// plain files written through TextFile, the score merge under a lock file
// beside the table (scores.txt.lock).
#pragma once
#include "PlayerBackend.h"

struct TPlayerPaths {
  std::string Settings, Scores;
};

class TFileBackend : public IPlayerBackend {
 public:
  // An empty path keeps nothing of that kind.
  explicit TFileBackend(TPlayerPaths Paths) : paths_(std::move(Paths)) {}

  std::string Name(TPlayerText Which) const override;
  TTextRead Read(TPlayerText Which, std::string& Text, std::string& Error) override;
  bool Write(TPlayerText Which, const std::string& Text, std::string& Error) override;
  bool KeepDamaged(TPlayerText Which, const std::string& Text, std::string& KeptAs, std::string& Error) override;
  void WithScoresLock(unsigned TimeoutMs, std::function<void(const std::string& Refused)> Work) override;

 private:
  TPlayerPaths paths_;
};
