// Writes a model in the model text layout the game's reader takes: the two
// frame lines, the meshes (vertices, normals, triangles), the materials and an
// empty bones section. Numbers use a full stop and six decimals; lines end in
// CR LF, so the same model always gives the same bytes.
#pragma once
#include <string>

#include "ModelBuilder.h"

std::string WriteModelText(const TModelRec& Model);
