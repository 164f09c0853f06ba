#include "FileBackend.h"

#include <cerrno>

#include "TextFile.h"

std::string TFileBackend::Name(TPlayerText Which) const {
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
    if (WriteNewTextFile(KeptAs, Text, Error)) return true;
    if (errno != EEXIST) return false;
  }
  Error = "the damaged copies " + DamagedCopyName(Name(Which), 0) + " to .bad." + std::to_string(MaxDamagedCopies - 1) +
          " are all kept already";
  return false;
}

void TFileBackend::WithScoresLock(unsigned TimeoutMs, std::function<void(const std::string& Refused)> Work) {
  TFileLock Held(paths_.Scores + ".lock", TimeoutMs);
  const std::string Lock = paths_.Scores.substr(paths_.Scores.find_last_of('/') + 1) + ".lock";
  Work(Held.TimedOut() ? "another program holds " + Lock : "");
}
