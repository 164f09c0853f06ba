#include "TestModels.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "frmMainGL.h"

std::string MakeTempFolder() {
  char pattern[] = "/tmp/skyrend-test-XXXXXX";
  const char* made = mkdtemp(pattern);
  return made ? made : "/tmp";
}

void RemoveFolder(const std::string& Folder) {
  std::error_code ignored;
  std::filesystem::remove_all(Folder, ignored);
}

void WriteTextFile(const std::string& Path, const std::string& Text) {
  std::ofstream out(Path, std::ios::binary);
  out << Text;
}

std::string BoxModelText(float x0, float y0, float z0, float x1, float y1, float z1, float r, float g, float b) {
  std::ostringstream t;
  t << "// test box\r\nFrames: 1\r\nFrame: 1\r\nMeshes: 1\r\n\"Box\" 0 0\r\n8\r\n";
  for (int i = 0; i < 8; ++i)
    t << "0 " << ((i & 1) ? x1 : x0) << ' ' << ((i & 2) ? y1 : y0) << ' ' << ((i & 4) ? z1 : z0)
      << " 0 0 -1\r\n";
  t << "1\r\n0 1 0\r\n12\r\n";
  // Counter-clockwise seen from outside.
  const int faces[6][4] = {{0, 4, 6, 2}, {1, 3, 7, 5}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 2, 3, 1}, {4, 5, 7, 6}};
  for (const auto& f : faces) {
    t << "0 " << f[0] << ' ' << f[1] << ' ' << f[2] << " 0 0 0 1\r\n";
    t << "0 " << f[0] << ' ' << f[2] << ' ' << f[3] << " 0 0 0 1\r\n";
  }
  t << "Materials: 1\r\n\"Glow\"\r\n0 0 0 1\r\n0 0 0 1\r\n0 0 0 1\r\n"
    << r << ' ' << g << ' ' << b << " 1\r\n0\r\n1\r\n\"\"\r\n\"\"\r\nBones: 0\r\n";
  return t.str();
}

void WriteDefaultModels(const std::string& Folder) {
  for (const char* name : ModelFileNames)
    WriteTextFile(Folder + "/" + name, BoxModelText(-5, 0, -5, 5, 10, 5, 0.5f, 0.5f, 0.5f));
}
