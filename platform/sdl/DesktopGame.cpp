// The desktop game as a whole: the command line and the player's files, then
// the SDL shell with the six sound clips built into the program, optionally
// recording or playing a demo.
#include "DesktopGame.h"

#include <array>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "HttpBoardTransport.h"
#include "PlayerFiles.h"
#include "QuoteWord.h"
#include "SdlServices.h"
#include "SdlShell.h"
#include "SettingsOverrides.h"
#include "SoundClips.h"

namespace {

std::array<TClipBytes, WaveItemCount> BuiltInClips() {
  std::array<TClipBytes, WaveItemCount> Clips{};
  for (int i = 0; i < WaveItemCount; ++i) {
    const TSoundClip& Clip = GetSoundClip(i);
    Clips[i] = {Clip.Data, Clip.Size};
  }
  return Clips;
}

}  // namespace

int RunDesktopGame(int argc, char* argv[]) {
  const TCommandLine Line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (Line.Action) {
    case TCommandLine::TAction::Help:
      std::fputs(UsageText, stdout);
      return 0;
    case TCommandLine::TAction::Version:
      std::printf("%s (rules %s)\n", VersionText, DemoRulesVersion());
      return 0;
    case TCommandLine::TAction::Error:
      std::fprintf(stderr, "skyrend: %s\nTry skyrend --help for the options.\n", Line.Error.c_str());
      return 2;
    case TCommandLine::TAction::Play:
      break;
  }
  for (const std::string& Warning : Line.Warnings) std::fprintf(stderr, "skyrend: %s\n", Warning.c_str());

  // The player's files: settings with the command line's on top for this
  // run, and the kept scores. A bad file is a warning, never a failure.
  TPlayerFiles Files(SdlPlayerPaths());
  const TSettings Run = ApplyOverrides(Files.LoadSettings(), Line.Overrides);
  Files.SetRunSettings(Run);

  // Made before the shell, so its thread outlives the host that uses it.
  const std::unique_ptr<IBoardTransport> Board = MakeBoardTransport();
  TSdlShell Shell(BuiltInClips());
  Shell.SetPlayer(Run, Files.LoadScores(), &Files);
  Shell.SetBoard(Board.get());
  // The demo is read (its size, header and every line checked) or created
  // before the window, so a bad file costs no game.
  try {
    if (Line.Demo == TCommandLine::TDemo::Record) Shell.SetRecording(CreateDemoFile(Line.DemoPath), Line.DemoPath);
    if (Line.Demo == TCommandLine::TDemo::Play) Shell.SetReplay(ReadGameDemo(Line.DemoPath));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skyrend: %s: %s\n", QuoteName(Line.DemoPath).c_str(), e.what());
    return 2;
  }
  return Shell.RunMainLoop();
}
