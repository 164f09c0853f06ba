// The page's backend of the player's store: the desktop files' text kept in
// the browser's localStorage under "skyrend.settings" and "skyrend.scores"
// (damaged tables kept as "skyrend.scores.bad", ".bad.1" ...). The merge of a
// game into the table runs under a Web Lock (navigator.locks) on the table,
// so two tabs ending games at once take turns and keep both. The kept games'
// demos are "skyrend.replay.NAME" items beside them.
#pragma once
#include "PlayerBackend.h"

class TWebStorageBackend : public IPlayerBackend {
 public:
  std::string Name(TPlayerText Which) const override;
  TTextRead Read(TPlayerText Which, std::string& Text, std::string& Error) override;
  bool Write(TPlayerText Which, const std::string& Text, std::string& Error) override;
  bool KeepDamaged(TPlayerText Which, const std::string& Text, std::string& KeptAs, std::string& Error) override;
  void WithScoresLock(unsigned TimeoutMs, std::function<void(const std::string& Refused)> Work) override;
  bool WriteReplay(const std::string& Name, const std::string& Text, std::string& Error) override;
  void RemoveReplay(const std::string& Name) override;
  bool ReadReplay(const std::string& Name, std::string& Text, std::string& Error) override;
};
