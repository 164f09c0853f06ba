#include "WebStorageBackend.h"

#include <emscripten.h>

#include <cerrno>
#include <cstdlib>

namespace {

const char* const SettingsKey = "skyrend.settings";
const char* const ScoresKey = "skyrend.scores";
const char* const WhereFrom = "localStorage ";

const char* const UnsentKey = "skyrend.unsent";

const char* Key(TPlayerText Which) {
  return Which == TPlayerText::Settings ? SettingsKey : Which == TPlayerText::Scores ? ScoresKey : UnsentKey;
}

// Storage may be switched off (private windows, blocked cookies) or full:
// then it throws, and *Failure gets the error's text. *Length is the value's
// UTF-8 length: a NUL inside it is the readers' to judge, not an end.
EM_JS(char*, GetStorageItem, (const char* Key, char** Failure, unsigned* Length), {
  try {
    var Value = window.localStorage.getItem(UTF8ToString(Key));
    if (Value === null) return 0;
    HEAPU32[Length >> 2] = lengthBytesUTF8(Value);
    return allocateUTF8(Value);
  } catch (e) {
    HEAPU32[Failure >> 2] = allocateUTF8(String(e && e.name || e));
    return 0;
  }
});

// Value is Length bytes of UTF-8, NULs and all (the readers judge them).
EM_JS(char*, SetStorageItem, (const char* Key, const char* Value, unsigned Length), {
  try {
    window.localStorage.setItem(UTF8ToString(Key), new TextDecoder().decode(HEAPU8.slice(Value, Value + Length)));
    return 0;
  } catch (e) {
    return allocateUTF8(String(e && e.name || e));
  }
});

// Keeps Value under Copy unless Copy is taken. When storage has no room for a
// second copy of a large table and Value is what Key holds, the table moves
// to Copy (it is rewritten under Key right after). 0 when kept, 1 when Copy is
// taken, 2 when it cannot be kept, with *Failure the error's text.
EM_JS(int, KeepStorageCopy, (const char* Key, const char* Copy, const char* Value, unsigned Length, char** Failure), {
  var S = window.localStorage, K = UTF8ToString(Key), C = UTF8ToString(Copy);
  var V = new TextDecoder().decode(HEAPU8.slice(Value, Value + Length));
  try {
    if (S.getItem(C) !== null) return 1;
    try {
      S.setItem(C, V);
    } catch (Full) {
      if (S.getItem(K) !== V) throw Full;
      S.removeItem(K);
      try {
        S.setItem(C, V);
      } catch (e) {
        S.setItem(K, V);
        throw e;
      }
    }
    return 0;
  } catch (e) {
    HEAPU32[Failure >> 2] = allocateUTF8(String(e && e.name || e));
    return 2;
  }
});

// Work (a std::function on the heap) runs inside the lock's callback, so the
// lock is held for the whole read, merge and write; it is let go a little
// later, so the write reaches the other tabs' storage before one of them
// can take the lock and read. Without Web Locks the work runs at once.
EM_JS(void, RequestScoresLock, (void* Work, int TimeoutMs), {
  var Done = false;
  var Run = function(Refused) {
    if (Done) return;
    Done = true;
    Module['_SkyrendPlayerLockGranted'](Work, Refused);
  };
  if (!navigator.locks) {
    Run(0);
    return;
  }
  var Options = {};
  if (typeof AbortController !== 'undefined') {
    var Abort = new AbortController();
    setTimeout(function() { Abort.abort(); }, TimeoutMs);
    Options.signal = Abort.signal;
  }
  navigator.locks.request('skyrend.scores', Options, function() {
    Run(0);
    return new Promise(function(Resolve) { setTimeout(Resolve, 500); });
  }).catch(function(e) {
    // Only a wait that timed out is refused; a page where locks are not
    // allowed (an opaque origin) merges without one.
    Run(e && e.name === 'AbortError' ? 1 : 0);
  });
});

EM_JS(void, RemoveStorageItem, (const char* Key), {
  try {
    window.localStorage.removeItem(UTF8ToString(Key));
  } catch (e) {
  }
});

std::string ReplayKey(const std::string& Name) { return "skyrend.replay." + Name; }

std::string Taken(char* Failure) {
  std::string Text = Failure ? Failure : "storage is unavailable";
  std::free(Failure);
  return Text;
}

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void SkyrendPlayerLockGranted(void* Work, int Refused) {
  auto* Run = static_cast<std::function<void(const std::string&)>*>(Work);
  (*Run)(Refused ? "another tab holds the score table" : "");
  delete Run;
}

std::string TWebStorageBackend::Name(TPlayerText Which) const { return WhereFrom + std::string(Key(Which)); }

TTextRead TWebStorageBackend::Read(TPlayerText Which, std::string& Text, std::string& Error) {
  char* Failure = nullptr;
  unsigned Length = 0;
  char* Value = GetStorageItem(Key(Which), &Failure, &Length);
  if (!Value) {
    if (!Failure) return TTextRead::Missing;
    Error = Taken(Failure);
    return TTextRead::Failed;
  }
  Text.assign(Value, Length);
  std::free(Value);
  return TTextRead::Read;
}

bool TWebStorageBackend::Write(TPlayerText Which, const std::string& Text, std::string& Error) {
  char* Failure = SetStorageItem(Key(Which), Text.data(), unsigned(Text.size()));
  if (!Failure) return true;
  Error = "this browser keeps nothing more (" + Taken(Failure) + ")";
  return false;
}

bool TWebStorageBackend::KeepDamaged(TPlayerText Which, const std::string& Text, std::string& KeptAs,
                                     std::string& Error) {
  for (int Copy = 0; Copy < MaxDamagedCopies; ++Copy) {
    KeptAs = DamagedCopyName(Key(Which), Copy);
    char* Failure = nullptr;
    const int Kept = KeepStorageCopy(Key(Which), KeptAs.c_str(), Text.data(), unsigned(Text.size()), &Failure);
    if (Kept == 0) return true;
    if (Kept == 1) continue;
    Error = Taken(Failure);
    return false;
  }
  Error = "the damaged copies " + DamagedCopyName(Key(Which), 0) + " to .bad." + std::to_string(MaxDamagedCopies - 1) +
          " are all kept already";
  return false;
}

void TWebStorageBackend::WithScoresLock(unsigned TimeoutMs, std::function<void(const std::string& Refused)> Work) {
  RequestScoresLock(new std::function<void(const std::string&)>(std::move(Work)), int(TimeoutMs));
}

bool TWebStorageBackend::WriteReplay(const std::string& Name, const std::string& Text, std::string& Error) {
  std::string Old;
  if (ReadReplay(Name, Old, Error)) {
    errno = EEXIST;  // never over another game's demo
    Error = "the name is taken";
    return false;
  }
  errno = 0;
  char* Failure = SetStorageItem(ReplayKey(Name).c_str(), Text.data(), unsigned(Text.size()));
  if (!Failure) return true;
  Error = "this browser keeps nothing more (" + Taken(Failure) + ")";
  return false;
}

void TWebStorageBackend::RemoveReplay(const std::string& Name) { RemoveStorageItem(ReplayKey(Name).c_str()); }

bool TWebStorageBackend::ReadReplay(const std::string& Name, std::string& Text, std::string& Error) {
  char* Failure = nullptr;
  unsigned Length = 0;
  char* Value = GetStorageItem(ReplayKey(Name).c_str(), &Failure, &Length);
  if (!Value) {
    Error = Failure ? Taken(Failure) : "the demo is gone";
    return false;
  }
  Text.assign(Value, Length);
  std::free(Value);
  return true;
}
