#include "FileBackend.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "ScriptFormat.h"


std::string TFileBackend::Name(TPlayerText Which) const {
  if (Which == TPlayerText::Unsent) return paths_.Scores.empty() ? "" : FolderOf(paths_.Scores) + "/unsent.txt";
  return Which == TPlayerText::Settings ? paths_.Settings : paths_.Scores;
}

TTextRead TFileBackend::Read(TPlayerText Which, std::string& Text, std::string& Error) {
  if (ReadTextFile(Name(Which), Text, Error)) return TTextRead::Read;
  return errno == ENOENT || errno == ENOTDIR ? TTextRead::Missing : TTextRead::Failed;
}

bool TFileBackend::Write(TPlayerText Which, const std::string& Text, std::string& Error) {
  return WriteTextFileAtomically(Name(Which), Text, Error);
}

bool TFileBackend::KeepDamaged(TPlayerText Which, const std::string& Text, std::string& KeptAs, std::string& Error) {
  for (int Copy = 0; Copy < MaxDamagedCopies; ++Copy) {
    KeptAs = DamagedCopyName(Name(Which), Copy);
    if (WriteNewTextFile(KeptAs, Text, Error, Name(Which))) return true;
    if (errno != EEXIST) return false;
  }
  Error = "the damaged copies " + DamagedCopyName(Name(Which), 0) + " to .bad." + std::to_string(MaxDamagedCopies - 1) +
          " are all kept already";
  return false;
}

std::string TFileBackend::ReplayFolder() const { return FolderOf(paths_.Scores) + "/replays"; }

bool TFileBackend::WriteReplay(const std::string& Name, const std::string& Text, std::string& Error) {
  if (paths_.Scores.empty()) {
    Error = "no folder for the scores";
    return false;
  }
  if (!MakeFolders(ReplayFolder(), Error)) return false;
  return WriteNewTextFile(ReplayFolder() + "/" + Name, Text, Error, paths_.Scores);
}

void TFileBackend::RemoveReplay(const std::string& Name) {
  if (!paths_.Scores.empty()) ::unlink((ReplayFolder() + "/" + Name).c_str());
}

bool TFileBackend::ReadReplay(const std::string& Name, std::string& Text, std::string& Error) {
  try {
    Text = ReadScriptText(ReplayFolder() + "/" + Name);
    return true;
  } catch (const EScriptError& e) {
    Error = e.what();
    return false;
  }
}

void TFileBackend::WithScoresLock(unsigned TimeoutMs, std::function<void(const std::string& Refused)> Work) {
  lock_ = std::make_unique<TFileLock>(paths_.Scores + ".lock");
  work_ = std::move(Work);
  deadline_ = TClock::now() + std::chrono::milliseconds(TimeoutMs);
  Poll();  // a free lock: the work is done at once
}

void TFileBackend::Poll() {
  if (!lock_) return;
  const TFileLock::TState State = lock_->State();
  if (State == TFileLock::TState::Waiting && TClock::now() < deadline_) return;
  RunWork(State);
}

void TFileBackend::Finish() {
  if (!lock_) return;
  const auto Left = std::chrono::ceil<std::chrono::milliseconds>(deadline_ - TClock::now()).count();
  RunWork(lock_->Wait(unsigned(std::max<long long>(Left, 0))));
}

void TFileBackend::RunWork(TFileLock::TState State) {
  const std::unique_ptr<TFileLock> Held = std::move(lock_);  // let go when the work is done
  const auto Work = std::move(work_);
  work_ = nullptr;
  const std::string Lock = paths_.Scores.substr(paths_.Scores.find_last_of('/') + 1) + ".lock";
  Work(State == TFileLock::TState::Waiting ? "another program holds " + Lock : "");
}
