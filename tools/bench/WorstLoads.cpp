#include "WorstLoads.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "BitmapWriter.h"
#include "MerivexLib3D.h"
#include "ModelLoad.h"
#include "frmMainGL.h"

namespace fs = std::filesystem;

namespace {

const char* const Text = "GameText.txt";
const char* const Diamond = "WhiteDiamond.txt";
const char* const Logo = "logo.txt";

void WriteFile(const std::string& Path, const std::string& Bytes) {
  std::ofstream out(Path, std::ios::binary);
  out.write(Bytes.data(), std::streamsize(Bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + Path);
}

class TQuiet : public IMessageSink {
 public:
  void ShowMessage(const std::string&) override {}
};

int IndexOf(const std::string& Model) {
  for (int i = 0; i < 16; ++i)
    if (ModelFileNames[i] == Model) return i;
  throw std::logic_error("no model " + Model);
}

int CopiesOf(const std::string& Model) { return ModelCopiesDrawn[IndexOf(Model)]; }

// The load's totals for every stock model but Left, each weighed by the
// copies of it a frame draws.
TModelLoad StockWithout(const std::string& StockFolder, const std::string& Left) {
  TModelLoad load;
  TQuiet quiet;
  for (int i = 0; i < 16; ++i) {
    const char* name = ModelFileNames[i];
    if (name == Left) continue;
    load.Copies = ModelCopiesDrawn[i];
    std::ifstream in(StockFolder + "/" + name, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    TMS3DObj model;
    model.ReadAndResolve(name, text, StockFolder, quiet, &load);
  }
  return load;
}

std::string Material(const std::string& Name, const std::string& Texture) {
  return Name + "\n0.8 0.8 0.8 1\n1 1 1 1\n0.25 0.25 0.25 1\n0 0 0 1\n16\n1\n\"" + Texture + "\"\n\"\"\n";
}

const std::string Head = "Frames: 30\nFrame: 1\n";

// A square of Size x Size in the floor's plane, cut into a grid of Triangles
// triangles (the cells repeated when Triangles is no even square), with
// Vertices vertices (the grid's first, the rest unused) and Normals normals.
std::string FloorMesh(const std::string& Name, int64_t Vertices, int64_t Normals, int64_t Triangles, int Material,
                      double Size = 200) {
  int64_t n = 1;
  while (2 * (n + 1) * (n + 1) <= Triangles && (n + 2) * (n + 2) <= Vertices) ++n;
  std::string text = Name + " 0 " + std::to_string(Material) + "\n" + std::to_string(Vertices) + "\n";
  for (int64_t i = 0; i < Vertices; ++i) {
    const int64_t k = i < (n + 1) * (n + 1) ? i : 0;
    const double u = double(k % (n + 1)) / n, v = double(k / (n + 1)) / n;
    text += "0 " + std::to_string(Size * (u - 0.5)) + " 0 " + std::to_string(Size * (v - 0.5)) + " " + std::to_string(u) +
            " " + std::to_string(v) + " -1\n";
  }
  text += std::to_string(Normals) + "\n";
  for (int64_t i = 0; i < Normals; ++i) text += "0 1 0\n";
  text += std::to_string(Triangles) + "\n";
  for (int64_t t = 0; t < Triangles; ++t) {
    const int64_t cell = (t / 2) % (n * n), x = cell % n, y = cell / n;
    const int64_t a = y * (n + 1) + x, b = a + 1, c = a + n + 2, d = a + n + 1;
    const int64_t second = t % 2 ? c : b, third = t % 2 ? d : c;
    text += "0 " + std::to_string(a) + " " + std::to_string(second) + " " + std::to_string(third) + " 0 0 0 1\n";
  }
  return text;
}

void WriteGeometry(bool Over, const std::string& StockFolder, const std::string& Folder) {
  const TModelLoad rest = StockWithout(StockFolder, Text);
  const int64_t more = Over ? 1 : 0;
  WriteFile(Folder + "/" + Text,
            Head + "Meshes: 1\n" +
                FloorMesh("\"Text\"", MaxLoadVertices - rest.Vertices(), MaxLoadNormals - rest.Normals(),
                          MaxLoadTriangles - rest.Triangles() + more, 0) +
                "Materials: 1\n" + Material("\"Letters\"", "letters.bmp") + "Bones: 0\n");
}

// The fragment's diamond in Meshes meshes of Triangles triangles in all, each
// mesh a grid as fine as its share makes, with a textured material of its own.
void WriteDiamond(int64_t Meshes, int64_t Triangles, const std::string& Folder) {
  std::string text = Head + "Meshes: " + std::to_string(Meshes) + "\n";
  for (int64_t i = 0; i < Meshes; ++i) {
    const int64_t share = Triangles / Meshes + (i < Triangles % Meshes ? 1 : 0);
    int64_t n = 1;
    while (2 * (n + 1) * (n + 1) <= share) ++n;
    text += FloorMesh("\"Diamond\"", (n + 1) * (n + 1), 1, share, int(i), 12);
  }
  text += "Materials: " + std::to_string(Meshes) + "\n";
  for (int64_t i = 0; i < Meshes; ++i) text += Material("\"White\"", "floor.bmp");
  WriteFile(Folder + "/" + Diamond, text + "Bones: 0\n");
}

// Both budgets of what a frame draws at once, through the model drawn most.
void WriteDrawn(bool Over, const std::string& StockFolder, const std::string& Folder) {
  const TModelLoad rest = StockWithout(StockFolder, Diamond);
  const int64_t copies = CopiesOf(Diamond);
  WriteDiamond((MaxLoadDrawnMeshes - rest.DrawnMeshes()) / copies,
               (MaxLoadDrawnTriangles - rest.DrawnTriangles()) / copies + (Over ? 1 : 0), Folder);
}

// Layers squares of Side x Side, each seen from both sides, stacked a unit
// apart across the view: 2 x Side x Side of surface each.
void WriteSquares(const std::string& Model, int Layers, double Side, const std::string& Folder) {
  std::string text = Head + "Meshes: 1\n\"Squares\" 0 0\n" + std::to_string(4 * Layers) + "\n";
  const double h = Side / 2;
  for (int l = 0; l < Layers; ++l)
    for (const auto& corner : {std::pair{-h, -h}, {h, -h}, {h, h}, {-h, h}})
      text += "0 " + std::to_string(corner.first) + " " + std::to_string(corner.second) + " " + std::to_string(l) +
              " 0 0 -1\n";
  text += "1\n0 0 1\n" + std::to_string(4 * Layers) + "\n";
  for (int l = 0; l < Layers; ++l) {
    const int a = 4 * l, b = a + 1, c = a + 2, d = a + 3;
    for (const auto& t : {std::array{a, b, c}, {a, c, d}, {a, c, b}, {a, d, c}})
      text += "0 " + std::to_string(t[0]) + " " + std::to_string(t[1]) + " " + std::to_string(t[2]) + " 0 0 0 1\n";
  }
  WriteFile(Folder + "/" + Model, text + "Materials: 1\n" + Material("\"White\"", "") + "Bones: 0\n");
}

// Model as Layers squares with the Left square units of surface it may have:
// just under them, or a hundredth over.
void WriteSurface(const std::string& Model, int Layers, double Left, bool Over, const std::string& Folder) {
  const double share = Over ? 1.01 : 0.999;
  WriteSquares(Model, Layers, std::sqrt(share * Left / (2.0 * Layers)), Folder);
}

void WriteTextures(bool Over, const std::string& Folder) {
  // 512 x 512 RGB is 0.75 MB decoded: 84 of them and the stock textures fit
  // (the GL driver keeps each as 1 MB); 85 do not.
  const int count = Over ? 85 : 84;
  for (int i = 0; i < count; ++i) {
    const auto grey = uint8_t(i * 3);
    const std::vector<uint8_t> bytes = EncodeBitmap(TImage(512, 512, {grey, uint8_t(255 - grey), 128}));
    WriteFile(Folder + "/big" + std::to_string(i) + ".bmp", std::string(bytes.begin(), bytes.end()));
  }
  // Two models with no texture of their own carry them: 64 and the rest.
  const char* carriers[2] = {"Alien1Shadow.txt", "RedDiamondShadow.txt"};
  for (int m = 0, first = 0; m < 2; ++m) {
    const int last = std::min(count, first + MaxModelMaterials);
    std::string text = Head + "Meshes: 1\n" + FloorMesh("\"Shadow\"", 4, 1, 2, 0) +
                       "Materials: " + std::to_string(last - first) + "\n";
    for (int i = first; i < last; ++i) text += Material("\"m\"", "big" + std::to_string(i) + ".bmp");
    WriteFile(Folder + "/" + carriers[m], text + "Bones: 0\n");
    first = last;
  }
}

// A texture name of Length bytes that leads to floor.bmp through the most
// folder steps a name may take ("sub/.." pairs, each looked up), padded with
// "./" steps, different for each Index (below about 2,000).
std::string LongTextureName(size_t Length, int Index) {
  std::string tail;
  for (size_t i = 0; i + 1 < MaxNameFolders / 2; ++i) tail += "sub/../";
  tail += "floor.bmp";
  std::string name = "." + std::string(size_t(1 + Index), '/');
  while (name.size() + 2 + tail.size() <= Length) name += "./";
  name += std::string(Length - name.size() - tail.size(), '/');
  return name + tail;
}

void WriteNames(bool Over, const std::string& Folder) {
  // Token limits include the quote marks.
  const size_t limit = MaxNameBytes - 2;
  fs::create_directories(Folder + "/sub");
  const std::string meshName = "\"" + std::string(limit, 'm') + "\"";
  int index = 0;
  for (const char* model : ModelFileNames) {
    // One mesh each: the meshes a frame draws have a budget of their own.
    std::string text = Head + "Meshes: 1\n" + FloorMesh(meshName, 4, 1, 2, 0, 12);
    text += "Materials: " + std::to_string(MaxModelMaterials) + "\n";
    for (int i = 0; i < MaxModelMaterials; ++i, ++index) {
      const bool last = Over && index == 16 * MaxModelMaterials - 1;
      text += Material("\"" + std::string(limit, 'n') + "\"", last ? std::string(limit + 1, 'n') : LongTextureName(limit, index));
    }
    WriteFile(Folder + "/" + model, text + "Bones: 0\n");
  }
}

void WriteMeshes(bool Over, const std::string& StockFolder, const std::string& Folder) {
  const TModelLoad rest = StockWithout(StockFolder, Diamond);
  const int64_t meshes = (MaxLoadDrawnMeshes - rest.DrawnMeshes()) / CopiesOf(Diamond) + (Over ? 1 : 0);
  WriteDiamond(meshes, 2 * meshes, Folder);
}

void WriteFileBytes(bool Over, const std::string& Folder) {
  for (const char* model : ModelFileNames) {
    std::ifstream in(Folder + "/" + model, std::ios::binary);
    const std::string stock((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Short comment lines cost the reader the most per byte.
    std::string padding;
    const size_t room = MaxModelFileBytes - stock.size();
    padding.reserve(room + 1);
    while (padding.size() + 3 <= room) padding += "//\n";
    padding.append(room - padding.size(), '\n');
    if (Over) padding += "\n";
    WriteFile(Folder + "/" + model, padding + stock);
  }
}

void WriteDrawnSurface(bool Over, const std::string& StockFolder, const std::string& Folder) {
  const TModelLoad rest = StockWithout(StockFolder, Diamond);
  WriteSurface(Diamond, 1, (MaxLoadDrawnSurface - rest.DrawnSurface()) / CopiesOf(Diamond), Over, Folder);
}

}  // namespace

const char* WorstLoadName(TWorstLoad Kind) {
  switch (Kind) {
    case TWorstLoad::Stock: return "stock";
    case TWorstLoad::Geometry: return "vertices, normals, triangles";
    case TWorstLoad::Drawn: return "triangles and meshes drawn";
    case TWorstLoad::Textures: return "decoded texture bytes";
    case TWorstLoad::Names: return "names";
    case TWorstLoad::Meshes: return "meshes drawn a frame";
    case TWorstLoad::FileBytes: return "file bytes";
    case TWorstLoad::Surface: return "surface drawn a frame";
    case TWorstLoad::TitleSurface: return "a title model's surface";
  }
  return "?";
}

void WriteWorstLoad(TWorstLoad Kind, bool Over, const std::string& StockFolder, const std::string& Folder) {
  for (const auto& entry : fs::directory_iterator(StockFolder)) {
    const std::string ext = entry.path().extension().string();
    if (entry.is_regular_file() && (ext == ".txt" || ext == ".bmp"))
      fs::copy_file(entry.path(), fs::path(Folder) / entry.path().filename(), fs::copy_options::overwrite_existing);
  }
  switch (Kind) {
    case TWorstLoad::Stock: break;
    case TWorstLoad::Geometry: WriteGeometry(Over, StockFolder, Folder); break;
    case TWorstLoad::Drawn: WriteDrawn(Over, StockFolder, Folder); break;
    case TWorstLoad::Textures: WriteTextures(Over, Folder); break;
    case TWorstLoad::Names: WriteNames(Over, Folder); break;
    case TWorstLoad::Meshes: WriteMeshes(Over, StockFolder, Folder); break;
    case TWorstLoad::FileBytes: WriteFileBytes(Over, Folder); break;
    case TWorstLoad::Surface: WriteDrawnSurface(Over, StockFolder, Folder); break;
    case TWorstLoad::TitleSurface: WriteSurface(Logo, 12, ModelSurfaceLimit[IndexOf(Logo)], Over, Folder); break;
  }
}
