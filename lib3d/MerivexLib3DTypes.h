// Plain records of a model read from a model text file. Arrays and strings
// belong to the model that holds them; widths follow the file's fields.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Vector.h"

struct T3DVertex {
  int32_t Flags = 0;
  float X = 0, Y = 0, Z = 0;
  float U = 0, V = 0;
  TVec3 Normal;  // zero until AssignVertexNormals fills it
  int32_t BoneIndex = 0;
};

struct T3DTriangle {
  int32_t Flags = 0;
  int32_t VertexIndices[3] = {0, 0, 0};
  int32_t NormalIndices[3] = {0, 0, 0};
  int32_t SmoothingGroup = 0;
};

struct T3DMesh {
  std::string Name;  // as read, quotes included
  int32_t Flags = 0;
  int32_t MaterialIndex = 0;
  int32_t NumVertices = 0;
  int32_t VertexCounter = 0;
  std::vector<T3DVertex> Vertices;
  std::vector<T3DVertex> DrawVertices;
  int32_t NumNormals = 0;
  int32_t NormalCounter = 0;
  std::vector<TVec3> Normals;
  std::vector<TVec3> DrawNormals;
  int32_t NumTriangles = 0;
  int32_t TriangleCounter = 0;
  std::vector<T3DTriangle> Triangles;
  // Display lists made at load (0: none, drawn vertex by vertex); the filled
  // one holds texture coordinates and vertex normals when FilledListTextured.
  uint32_t FilledList = 0;
  uint32_t OutlineList = 0;
  bool FilledListTextured = false;
};

struct TMaterial {
  std::string Name;  // as read, quotes included
  float Ambient[4] = {0, 0, 0, 0};
  float Diffuse[4] = {0, 0, 0, 0};
  float Specular[4] = {0, 0, 0, 0};
  float Emissive[4] = {0, 0, 0, 0};
  float Shininess = 0;
  float Transparency = 0;
  std::string TextureFile;  // without its first and last characters
  bool Masked = false;
  std::string AlphaMapFile;  // as read; kept, not used
  bool Transparent = false;
  bool Textured = false;
  std::vector<uint8_t> Pixels;  // never filled: the decoded image waits in the model's Textures
  int32_t TextureWidth = 0;
  int32_t TextureHeight = 0;
  uint32_t TextureId = 0;
  int32_t TextureIndex = -1;  // its entry in the model's Textures; -1: none
};

// One bitmap file of a model, decoded once per masking and shared by every
// material that names it. The image waits here, so that finding and decoding
// need no GL context; uploading it sets TextureId and frees the image.
struct TModelTexture {
  std::vector<uint8_t> Image;  // rows without gaps, top row first; RGB, or RGBA when Masked
  int32_t Width = 0;
  int32_t Height = 0;
  bool Masked = false;
  bool Uploaded = false;
  uint32_t TextureId = 0;
};

struct TBone {
  std::string Name;
  std::string ParentName;
  float BoneValues[4] = {0, 0, 0, 0};
  int32_t NumPosKeys = 0;
  int32_t PosKeyCounter = 0;
  int32_t NumRotKeys = 0;
  int32_t RotKeyCounter = 0;
};
