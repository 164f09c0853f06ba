#include "GameRules.h"

#include <openssl/evp.h>

#include <exception>
#include <stdexcept>

#include "DemoCheck.h"

const char* const AlreadyOnBoard = "this demo is already on the board";

std::string NameFault(const std::string& Name) {
  if (Name.empty() || Name.size() > 16) return "a name has 1 to 16 characters";
  for (const char C : Name) {
    const bool Plain = (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9');
    if (!Plain && C != ' ' && C != '-' && C != '_' && C != '.')
      return "a name holds only letters, digits, spaces and -_.";
  }
  if (Name.front() == ' ' || Name.back() == ' ') return "a name does not begin or end with a space";
  return "";
}

std::string DemoTextFault(const std::string& Demo) {
  if (Demo.empty()) return "the demo is empty";
  for (const char C : Demo) {
    const auto U = static_cast<unsigned char>(C);
    if ((U < 0x20 && C != '\n' && C != '\r' && C != '\t') || U >= 0x7f) return "the demo holds bytes no demo has";
  }
  return "";
}

std::string DemoHash(const std::string& Demo) {
  std::string Lines;
  Lines.reserve(Demo.size());
  for (const char C : Demo)
    if (C != '\r') Lines += C;
  unsigned char Digest[EVP_MAX_MD_SIZE];
  unsigned int Size = 0;
  if (!EVP_Digest(Lines.data(), Lines.size(), Digest, &Size, EVP_sha256(), nullptr)) throw std::runtime_error("no SHA-256");
  static const char Hex[] = "0123456789abcdef";
  std::string Out;
  for (unsigned int i = 0; i < Size; ++i) {
    Out += Hex[Digest[i] >> 4];
    Out += Hex[Digest[i] & 15];
  }
  return Out;
}

namespace {

TVerdict Refused(const std::string& Reason) {
  TVerdict V;
  V.Refused = true;
  V.Reason = Reason;
  return V;
}

}  // namespace

TVerdict JudgeDemo(const TQueuedGame& Game, const TModelRadii& Radii) {
  try {
    // The length first: a two-hour bound must not cost a day's replay. A
    // text that is no demo is refused below by the replay, with its reason.
    try {
      const long Frames = TDemoRun(Game.Demo, Radii).Frames();
      if (Frames > MaxDemoFrames)
        return Refused("the demo runs " + std::to_string(Frames) + " frames, more than " +
                       std::to_string(MaxDemoFrames));
    } catch (const std::exception&) {
    }
    const TDemoCheck C = CheckDemoText(Game.Demo, Radii);
    if (C.Refused) return Refused(C.Reason);
    if (Game.Claimed >= 0 && Game.Claimed != C.Score)
      return Refused("the claimed score " + std::to_string(Game.Claimed) + " is not the replay's " +
                     std::to_string(C.Score));
    TVerdict V;
    V.Score = C.Score;
    V.Level = C.Level;
    V.Frames = C.Frames;
    return V;
  } catch (const std::exception& e) {
    return Refused(std::string("the demo cannot be replayed: ") + e.what());
  }
}
