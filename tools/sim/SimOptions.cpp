#include "SimOptions.h"

#include <stdexcept>

#include "OptionValue.h"
#include "QuoteWord.h"

const char* const SimUsage =
    "usage: skyrend-sim [--frames N] [--script FILE] [--ms-per-frame MS] [--trace FILE|-]\n"
    "                   [--shot F:FILE.png]... [--size WxH] [--busy F] [--scheme N]\n"
    "                   [--settings FILE] [--scores FILE] [--record FILE]";

TSimOptions ParseSimArguments(const std::vector<std::string>& Args) {
  TSimOptions O;
  for (size_t i = 0; i < Args.size(); ++i) {
    const std::string& Name = Args[i];
    auto Value = [&]() -> const std::string& {
      if (i + 1 >= Args.size()) throw std::invalid_argument(Name + " needs a value");
      return Args[++i];
    };
    if (Name == "--frames") {
      O.Frames = WholeOption(Value(), 1, 100000000, "--frames");
      O.FramesGiven = true;
    } else if (Name == "--script") {
      O.ScriptPath = Value();
    } else if (Name == "--ms-per-frame") {
      O.MsPerFrame = uint32_t(WholeOption(Value(), 0, 100000, "--ms-per-frame"));
    } else if (Name == "--trace") {
      O.TracePath = Value();
    } else if (Name == "--shot") {
      const std::string& V = Value();
      const size_t Colon = V.find(':');
      if (Colon == std::string::npos || Colon + 1 == V.size())
        throw std::invalid_argument("--shot needs F:FILE.png, not \"" + QuoteWord(V) + "\"");
      O.Shots.emplace_back(WholeOption(V.substr(0, Colon), 1, 100000000, "--shot frame"), V.substr(Colon + 1));
    } else if (Name == "--size") {
      SizeOption(Value(), 1, O.Width, O.Height);
      O.SizeGiven = true;
    } else if (Name == "--busy") {
      O.BusyFrom = WholeOption(Value(), 1, 100000000, "--busy");
    } else if (Name == "--settings") {
      O.SettingsPath = Value();
    } else if (Name == "--scores") {
      O.ScoresPath = Value();
    } else if (Name == "--record") {
      O.RecordPath = Value();
    } else if (Name == "--scheme") {
      O.Scheme = int(WholeOption(Value(), 0, 10, "--scheme"));
    } else {
      throw std::invalid_argument("unknown argument \"" + QuoteWord(Name) + "\"");
    }
  }
  return O;
}
