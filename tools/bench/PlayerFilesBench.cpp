// skyrend-files-bench: what the player's files cost at their worst, printed.
// - start-up with a damaged score table of 100,000 lines: the table read and
//   warned about as the game does (at most ten warnings), and, to compare,
//   the same parse with every warning written out as the game once did;
// - a game's end while another program holds scores.txt.lock for 5 s (the
//   wait runs out) and for 0.5 s (the game is saved then): the longest time
//   the store takes in one frame of a 60 Hz loop, and when the outcome comes.
// Every figure is the best of a few rounds, in milliseconds, on stdout.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "PlayerFiles.h"
#include "ScoreFile.h"
#include "TextFile.h"

namespace {

using TClock = std::chrono::steady_clock;

double MsSince(TClock::time_point Start) {
  return std::chrono::duration<double, std::milli>(TClock::now() - Start).count();
}

template <typename F>
double BestOf(int Rounds, F Run) {
  double Best = 1e12;
  for (int i = 0; i < Rounds; ++i) {
    const TClock::time_point Start = TClock::now();
    Run();
    Best = std::min(Best, MsSince(Start));
  }
  return Best;
}

}  // namespace

int main() {
  char Name[] = "/tmp/skyrend-files-bench-XXXXXX";
  if (!mkdtemp(Name)) return 1;
  const std::string Folder = Name;
  const TPlayerPaths Paths{Folder + "/settings.ini", Folder + "/scores.txt"};
  std::string Damaged, Error;
  for (int i = 0; i < 100000; ++i) Damaged += i % 2 ? "x 1\n" : "123 99 20\n";  // under the 1 MB a file may have
  if (!WriteTextFileAtomically(Paths.Scores, Damaged, Error)) return std::fprintf(stderr, "%s\n", Error.c_str()), 1;
  FILE* Null = std::fopen("/dev/null", "w");
  const auto ToNull = [Null](const std::string& W) { std::fprintf(Null, "%s\n", W.c_str()); };

  long Shown = 0;
  const double Now = BestOf(5, [&] {
    TPlayerFiles Files(Paths, [&](const std::string& W) { ToNull(W), ++Shown; });
    Files.LoadSettings();
    Files.LoadScores();
  });
  const double EveryWarning = BestOf(5, [&] {
    std::string Text;
    ReadTextFile(Paths.Scores, Text, Error);
    std::vector<std::string> Warnings;
    bool Bad;
    ParseScores(Text, Paths.Scores, Warnings, Bad);
    for (const std::string& W : Warnings) ToNull(W);
  });
  std::printf("damaged table of 100000 lines (%zu bytes) at start-up: %.1f ms, %ld warnings; "
              "with every warning written: %.1f ms, 100000 warnings\n",
              Damaged.size(), Now, Shown / 5, EveryWarning);

  // Another program holds the lock; the game's frames go on at 60 a second
  // while its end waits for the lock at most 2 s.
  const auto LockHeld = [&](int HeldMs) {
    int Ready[2];
    if (pipe(Ready) != 0) return;
    const pid_t Holder = fork();
    if (Holder == 0) {
      const int Fd = open((Paths.Scores + ".lock").c_str(), O_RDWR | O_CREAT, 0644);
      flock(Fd, LOCK_EX);
      (void)!write(Ready[1], "x", 1);
      usleep(useconds_t(HeldMs) * 1000);
      _exit(0);
    }
    char Byte;
    (void)!read(Ready[0], &Byte, 1);  // the holder has its lock
    close(Ready[0]), close(Ready[1]);
    TPlayerFiles Files(Paths, ToNull);
    TScoreSave Save;
    bool Told = false;
    const TClock::time_point Start = TClock::now();
    TClock::time_point Frame = Start;
    Files.AddScore({100, 1, "2026-01-01"}, [&](const TScoreSave& S) { Save = S, Told = true; });
    double Longest = MsSince(Start);
    long Frames = 1;
    while (!Told) {
      Frame += std::chrono::microseconds(16667);
      std::this_thread::sleep_until(Frame);
      const TClock::time_point Begin = TClock::now();
      Files.Poll();
      Longest = std::max(Longest, MsSince(Begin));
      ++Frames;
    }
    std::printf("game over with scores.txt.lock held elsewhere for %d ms: longest frame's store work %.3f ms, "
                "%s after %.0f ms and %ld frames (\"%s\")\n",
                HeldMs, Longest, Save.Saved ? "saved" : "not saved", MsSince(Start), Frames, Save.Problem.c_str());
    waitpid(Holder, nullptr, 0);
  };
  // A free lock: the merge is done in the game over's own frame (read, write, flush to disk).
  const double Free = BestOf(5, [&] {
    TPlayerFiles Files(Paths, ToNull);
    Files.AddScore({100, 1, "2026-01-01"}, [](const TScoreSave&) {});
  });
  std::printf("game over with scores.txt.lock free: the merge in its frame %.3f ms\n", Free);
  LockHeld(5000);
  LockHeld(500);
  std::fclose(Null);
  return std::system(("rm -rf '" + Folder + "'").c_str()) == 0 ? 0 : 1;
}
