// Where a shell keeps the player's two texts, the settings and the score
// table: files on the desktop, localStorage in the page. A backend only
// reads, writes and locks; what is read, merged, warned about and tried again
// is the store's (PlayerStore.h), the same in every shell.
#pragma once
#include <functional>
#include <string>

// Unsent: the games kept to send to the score board later, beside the table.
enum class TPlayerText { Settings, Scores, Unsent };

enum class TTextRead { Read, Missing, Failed };

class IPlayerBackend {
 public:
  virtual ~IPlayerBackend() = default;
  // The text's place as messages name it (a path, "localStorage skyrend.scores");
  // "" when this backend keeps no such text.
  virtual std::string Name(TPlayerText Which) const = 0;
  // The whole text; Missing when there is none yet, Failed with the reason.
  virtual TTextRead Read(TPlayerText Which, std::string& Text, std::string& Error) = 0;
  // Replaces the whole text at once (a reader sees the old or the new text),
  // through a symbolic link where the place is one. False with the reason.
  virtual bool Write(TPlayerText Which, const std::string& Text, std::string& Error) = 0;
  // Keeps Text, a damaged copy of the text, beside it under the first name not
  // taken: NAME.bad, NAME.bad.1 ... NAME.bad.5. An older copy is never
  // replaced. False with the reason when it cannot be kept or all are taken.
  virtual bool KeepDamaged(TPlayerText Which, const std::string& Text, std::string& KeptAs, std::string& Error) = 0;
  // Runs Work holding the score table's lock, which another program or tab is
  // waited for at most TimeoutMs: Work("") then, or Work(why not) without it.
  // Work runs once, now or later (the page's lock is granted by the browser;
  // a lock file held elsewhere is asked after at each Poll). One at a time.
  virtual void WithScoresLock(unsigned TimeoutMs, std::function<void(const std::string& Refused)> Work) = 0;
  // Runs the Work of a lock wait that has ended or run out; never blocks, so
  // it can be called once a frame.
  virtual void Poll() {}
  // Ends a lock wait before the program does: waits what is left of it, then
  // runs its Work.
  virtual void Finish() {}

  // The games' kept demos, by a name IsReplayName accepts. Written whole or
  // not at all and never over another demo (false with errno EEXIST when the
  // name is taken); a backend that keeps none says so.
  virtual bool WriteReplay(const std::string& /*Name*/, const std::string& /*Text*/, std::string& Error) {
    Error = "replays are not kept here";
    return false;
  }
  virtual void RemoveReplay(const std::string& /*Name*/) {}
  // A kept demo's whole text; false with the reason.
  virtual bool ReadReplay(const std::string& /*Name*/, std::string& /*Text*/, std::string& Error) {
    Error = "replays are not kept here";
    return false;
  }
};

// The damaged copies' names for a text named Name, in the order they are taken.
constexpr int MaxDamagedCopies = 6;
std::string DamagedCopyName(const std::string& Name, int Copy);
