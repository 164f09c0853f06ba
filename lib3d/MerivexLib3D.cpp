#include "MerivexLib3D.h"

#include "QuoteWord.h"

TMS3DObj::TMS3DObj() = default;

// The texture objects stay with the rendering context; the display lists go
// with the model (the context that made them is still current).
TMS3DObj::~TMS3DObj() {
  // Only a compiled model holds display lists: one that was only read calls no GL.
  if (deleteLists_) (this->*deleteLists_)();
}

std::string LoadFailureMessage(const std::string& FileName, const std::string& ErrorText) {
  return "Problem reading file " + QuoteName(FileName) + "\r\n" + "Exception : " + ErrorText + "\r\n" +
         "Ensure all files in same folder, press Ok to terminate";
}
