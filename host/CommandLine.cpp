#include "CommandLine.h"

#include "QuoteWord.h"


TCommandLine ParseCommandLine(const std::vector<std::string>& Args) {
  TCommandLine C;
  bool Help = false, Version = false;
  for (size_t i = 0; i < Args.size(); ++i) {
    const std::string& A = Args[i];
    if (A == "-h" || A == "--help") {
      Help = true;
    } else if (A == "--version") {
      Version = true;
    } else if (A == "--window") {
      C.FullScreen = false;
    } else if (A == "--fullscreen") {
      C.FullScreen = true;
    } else if (A == "-w") {
      // Kept from the game's first releases, where it changed nothing either.
    } else if (A == "--record" || A == "--play") {
      if (C.Demo != TCommandLine::TDemo::None) {
        C.Error = "only one of --record and --play, once";
      } else if (i + 1 >= Args.size() || Args[i + 1].empty()) {
        C.Error = A + " needs a FILE";
      } else {
        C.Demo = A == "--record" ? TCommandLine::TDemo::Record : TCommandLine::TDemo::Play;
        C.DemoPath = Args[++i];
      }
    } else {
      C.Warnings.push_back("unknown option \"" + QuoteWord(A) + "\" ignored (skyrend --help lists the options)");
    }
  }
  if (Help) C.Action = TCommandLine::TAction::Help;
  else if (Version) C.Action = TCommandLine::TAction::Version;
  else if (!C.Error.empty()) C.Action = TCommandLine::TAction::Error;
  return C;
}
