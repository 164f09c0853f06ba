#include "PlayerStore.h"

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "PlayerFiles.h"
#include "ScoreFile.h"
#include "SettingsFile.h"
#include "SettingsOverrides.h"

std::string EscapeControls(const std::string& Text) {
  std::string Out;
  Out.reserve(Text.size());
  for (const char C : Text) {
    const auto Byte = static_cast<unsigned char>(C);
    if (Byte >= 0x20 && Byte != 0x7F) {
      Out += C;
      continue;
    }
    const char* Digits = "0123456789abcdef";
    Out += "\\x";
    Out += Digits[Byte >> 4];
    Out += Digits[Byte & 15];
  }
  return Out;
}

std::string DamagedCopyName(const std::string& Name, int Copy) {
  return Name + ".bad" + (Copy > 0 ? "." + std::to_string(Copy) : "");
}

TPlayerStore::TPlayerStore(std::unique_ptr<IPlayerBackend> Backend, TWarn Warn)
    : backend_(std::move(Backend)), warn_(std::move(Warn)) {}

TPlayerStore::~TPlayerStore() {
  waiting_.clear();  // whoever waits may be gone already
  backend_->Finish();
}

void TPlayerStore::Warn(const std::string& Text) const {
  const std::string Shown = EscapeControls(Text);
  if (warn_) warn_(Shown);
  else std::fprintf(stderr, "skyrend: %s\n", Shown.c_str());
}


TTextRead TPlayerStore::Read(TPlayerText Which, std::string& Text, std::string& Error) const {
  Text.clear();
  if (backend_->Name(Which).empty()) return TTextRead::Missing;
  const TTextRead Result = backend_->Read(Which, Text, Error);
  if (Result == TTextRead::Failed) Warn(backend_->Name(Which) + ": cannot be read: " + Error);
  return Result;
}

TSettings TPlayerStore::LoadSettings() {
  std::string Text, Error;
  saved_ = defaults_;
  if (Read(TPlayerText::Settings, Text, Error) == TTextRead::Read) {
    std::vector<std::string> Warnings;
    const std::string Name = backend_->Name(TPlayerText::Settings);
    saved_ = ParseSettings(Text, Name, Warnings, MaxWarningsPerText, defaults_);
    for (const std::string& W : Warnings) Warn(W);
  }
  run_ = saved_;
  return saved_;
}

TScoreTable TPlayerStore::LoadScores() {
  std::string Text, Error;
  scores_.clear();
  if (Read(TPlayerText::Scores, Text, Error) == TTextRead::Read) {
    std::vector<std::string> Warnings;
    bool Damaged;
    const std::string Name = backend_->Name(TPlayerText::Scores);
    scores_ = ParseScores(Text, Name, Warnings, Damaged, MaxWarningsPerText);
    for (const std::string& W : Warnings) Warn(W);
  }
  return scores_;
}

std::string TPlayerStore::SaveSettings(const TSettings& Settings) {
  saved_ = KeepChanges(saved_, run_, Settings);
  run_ = Settings;
  const std::string Name = backend_->Name(TPlayerText::Settings);
  if (Name.empty()) return "";
  std::string Old, Error;
  // A text that cannot be read is not replaced: the player's own lines would go.
  if (Read(TPlayerText::Settings, Old, Error) == TTextRead::Failed) return EscapeControls(Error);
  if (backend_->Write(TPlayerText::Settings, FormatSettings(saved_, Old, defaults_, platformKeys_), Error)) return "";
  Warn(Name + ": the settings cannot be saved: " + Error);
  return EscapeControls(Error);
}

void TPlayerStore::AddScore(const TScoreEntry& Game, std::function<void(const TScoreSave&)> Done) {
  InsertScore(unsaved_, Game);
  if (backend_->Name(TPlayerText::Scores).empty()) {
    // Nothing is kept between runs: the table lives as long as the run.
    InsertScore(scores_, Game);
    unsaved_.clear();
    Done(TScoreSave{scores_, true, ""});
    return;
  }
  waiting_.push_back(std::move(Done));
  if (waiting_.size() > 1) return;  // the merge that waits takes this game too
  backend_->WithScoresLock(ScoresLockTimeoutMs, [this](const std::string& Refused) {
    const TScoreSave Save = MergeScores(Refused);
    std::vector<std::function<void(const TScoreSave&)>> Told;
    Told.swap(waiting_);
    for (const auto& Done : Told)
      if (Done) Done(Save);
  });
}

std::string TPlayerStore::KeepReplay(const std::string& Text, std::string& Problem) {
  if (backend_->Name(TPlayerText::Scores).empty()) return "";
  const std::string Stamp = ReplayStamp ? ReplayStamp() : LocalTimeText("%Y-%m-%d_%H-%M-%S");
  // Two games ending in the same second (two programs) each keep their own.
  for (int Try = 1; Try <= 9; ++Try) {
    const std::string Name = Stamp + (Try > 1 ? "-" + std::to_string(Try) : "") + ".txt";
    std::string Error;
    if (backend_->WriteReplay(Name, Text, Error)) {
      earlierReplay_ = lastReplay_;
      lastReplay_ = Name;
      return Name;
    }
    if (errno != EEXIST) {
      Problem = EscapeControls(Error);
      return "";
    }
  }
  Problem = "every name for " + Stamp + " is taken";
  return "";
}

bool TPlayerStore::ReadReplay(const std::string& Name, std::string& Text, std::string& Problem) {
  std::string Error;
  if (IsReplayName(Name) && backend_->ReadReplay(Name, Text, Error)) return true;
  Problem = IsReplayName(Name) ? EscapeControls(Error) : "the table names no demo for this game";
  return false;
}

TScoreSave TPlayerStore::NotSaved(const std::string& Problem) const {
  Warn(backend_->Name(TPlayerText::Scores) + ": the score cannot be saved: " + Problem);
  return TScoreSave{scores_, false, EscapeControls(Problem)};
}

TScoreSave TPlayerStore::MergeScores(const std::string& Refused) {
  const std::string Name = backend_->Name(TPlayerText::Scores);
  // The game stays in unsaved_ and is merged with the next one.
  if (!Refused.empty()) return NotSaved(Refused + "; tried again with the next game");
  std::string Old, Error;
  const TTextRead Got = Read(TPlayerText::Scores, Old, Error);
  // Writing now would lose the games in a table that cannot be read.
  if (Got == TTextRead::Failed) return NotSaved("the table cannot be read: " + Error);
  std::vector<std::string> Warnings;
  bool Damaged = false;
  const TScoreTable Kept = ParseScores(Old, Name, Warnings, Damaged, MaxWarningsPerText);
  for (const std::string& W : Warnings) Warn(W);
  scores_ = Kept;
  if (Damaged && Old != keptDamaged_) {
    std::string KeptAs;
    if (!backend_->KeepDamaged(TPlayerText::Scores, Old, KeptAs, Error))
      return NotSaved("the damaged table cannot be kept aside: " + Error);
    keptDamaged_ = Old;
    Warn(Name + ": the damaged table is kept as " + KeptAs);
  }
  TScoreTable Merged = Kept;
  for (const TScoreEntry& E : unsaved_) InsertScore(Merged, E);
  if (!backend_->Write(TPlayerText::Scores, FormatScores(Merged), Error)) return NotSaved(Error);
  // Only once the table no longer names them: the demos of the games that
  // left it, and this run's game before the last when it never entered.
  const auto Gone = [&Merged, this](const std::string& Name) {
    if (Name.empty() || Name == lastReplay_) return false;
    for (const TScoreEntry& E : Merged)
      if (E.Replay == Name) return false;
    return true;
  };
  for (const TScoreTable* Table : {&Kept, const_cast<const TScoreTable*>(&unsaved_)})
    for (const TScoreEntry& E : *Table)
      if (Gone(E.Replay)) backend_->RemoveReplay(E.Replay);
  if (Gone(earlierReplay_)) backend_->RemoveReplay(earlierReplay_);
  earlierReplay_.clear();
  unsaved_.clear();
  scores_ = Merged;
  return TScoreSave{Merged, true, ""};
}

std::string TPlayerStore::ReadUnsent() {
  std::string Text, Error;
  return Read(TPlayerText::Unsent, Text, Error) == TTextRead::Read ? Text : "";
}

bool TPlayerStore::WriteUnsent(const std::string& Text, std::string& Problem) {
  if (backend_->Name(TPlayerText::Unsent).empty()) {
    Problem = "no folder for the scores";
    return false;
  }
  return backend_->Write(TPlayerText::Unsent, Text, Problem);
}
