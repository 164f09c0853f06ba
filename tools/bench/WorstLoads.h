// The worst sets of model files the reader still accepts, one per budget of a
// load (lib3d/ModelLoad.h), and each one step past its budget: the stock
// files with some models replaced. The benchmark measures what loading them
// costs; the tests check that the first load and the second is refused.
#pragma once
#include <string>

enum class TWorstLoad {
  Stock,      // the stock files as they are
  Geometry,   // the title's text (drawn once) takes every vertex, normal and triangle left
  Drawn,      // the fragment's diamond (drawn a hundred times) takes every triangle and mesh drawn a frame left
  Textures,   // distinct 512 x 512 textures up to the decoded-bytes budget
  Names,      // every mesh, material and texture name at the name limit, each texture name different
  Meshes,     // the fragment's diamond (drawn a hundred times) takes every mesh drawn a frame left
  FileBytes,  // every model file at the size limit, padded with the lines the reader skips
  Surface,    // the fragment's diamond (drawn a hundred times) a square with every unit of surface drawn a frame left
  TitleSurface,  // the title's logo squares stacked across the view, at a title model's own surface limit
};
constexpr TWorstLoad WorstLoads[] = {TWorstLoad::Stock,  TWorstLoad::Geometry,  TWorstLoad::Drawn,
                                     TWorstLoad::Textures, TWorstLoad::Names,   TWorstLoad::Meshes,
                                     TWorstLoad::FileBytes, TWorstLoad::Surface, TWorstLoad::TitleSurface};

const char* WorstLoadName(TWorstLoad Kind);

// Copies the model and bitmap files of StockFolder into Folder (which exists)
// and writes the case's replacements over them; Over goes one step past the
// budget (nothing for Stock; for surface, a hundredth past it). Throws std::runtime_error when a file cannot be
// written.
void WriteWorstLoad(TWorstLoad Kind, bool Over, const std::string& StockFolder, const std::string& Folder);
