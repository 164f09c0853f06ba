// Small model files written by tests into a temporary program folder, so the
// game's rules and drawing can be checked without depending on the shipped art.
#pragma once
#include <string>

// A fresh empty folder under /tmp; removed by the caller with RemoveFolder.
std::string MakeTempFolder();
void RemoveFolder(const std::string& Folder);
void WriteTextFile(const std::string& Path, const std::string& Text);

// An axis-aligned box from (x0, y0, z0) to (x1, y1, z1) with one untextured
// material that glows in (r, g, b) whatever the lighting.
std::string BoxModelText(float x0, float y0, float z0, float x1, float y1, float z1, float r, float g, float b);

// Writes all sixteen model files of the game as small glowing boxes; the box of
// FileName (if present in Boxes) may be given explicitly, others get a default.
void WriteDefaultModels(const std::string& Folder);
