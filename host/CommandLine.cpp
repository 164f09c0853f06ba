#include "CommandLine.h"

#include "QuoteWord.h"
#include "TextNumber.h"

bool ParseMultisampling(const std::string& Text, int& Samples) {
  if (Text == "auto") Samples = MultisamplingAuto;
  else if (Text == "off") Samples = 0;
  else if (Text == "2" || Text == "4" || Text == "8") Samples = Text[0] - '0';
  else return false;
  return true;
}

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
      C.Overrides.FullScreen = false;
    } else if (A == "--fullscreen") {
      C.FullScreen = true;
      C.Overrides.FullScreen = true;
    } else if (A == "--multisampling") {
      if (i + 1 >= Args.size() || !ParseMultisampling(Args[i + 1], C.Multisampling)) {
        C.Error = "--multisampling needs auto, off, 2, 4 or 8";
      } else {
        C.Overrides.Multisampling = C.Multisampling;
        ++i;
      }
    } else if (A == "--volume") {
      double V = -1;
      if (i + 1 >= Args.size() || !ParseWholeText(Args[i + 1], V) || V < 0 || V > 100 || V != int(V)) {
        C.Error = "--volume needs a whole number from 0 to 100";
      } else {
        C.Overrides.Volume = int(V);
        ++i;
      }
    } else if (A == "--mouse-speed") {
      double V = 0;
      if (i + 1 >= Args.size() || !ParseWholeText(Args[i + 1], V) || !(V >= 0.25 && V <= 4)) {
        C.Error = "--mouse-speed needs a number from 0.25 to 4";
      } else {
        C.Overrides.MouseSpeed = V;
        ++i;
      }
    } else if (A == "--invert-mouse") {
      C.Overrides.InvertMouse = true;
    } else if (A == "--reduce-flashing") {
      C.Overrides.ReduceFlashing = true;
    } else if (A == "--no-vsync") {
      C.Overrides.Vsync = false;
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
