#include "MerivexLib3D.h"

TMS3DObj::TMS3DObj() = default;

// The texture objects stay with the rendering context; only the arrays go.
TMS3DObj::~TMS3DObj() = default;

std::string LoadFailureMessage(const std::string& FileName, const std::string& ErrorText) {
  return "Problem reading file " + FileName + "\r\n" + "Exception : " + ErrorText + "\r\n" +
         "Ensure all files in same folder, press Ok to terminate";
}
