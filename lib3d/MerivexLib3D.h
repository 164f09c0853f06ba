// TMS3DObj: one model read from a model text file, drawn with fixed-function GL.
// Loading runs in three stages: Read and ResolveTextures need no GL context,
// Compile (and so LoadFromFile and LoadFromText) needs a current one.
#pragma once
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "MerivexLib3DTypes.h"
#include "MeshLists.h"

class TModelLoad;

// Where the library shows a message of its own ("Cannot find the file: %s").
class IMessageSink {
 public:
  virtual ~IMessageSink() = default;
  virtual void ShowMessage(const std::string& Text) = 0;
};

// A load failure: FileName is the file the message names (the model, or the
// texture whose reading failed); what() is the error's own text.
class ELoadError : public std::runtime_error {
 public:
  ELoadError(std::string fileName, const std::string& text)
      : std::runtime_error(text), FileName(std::move(fileName)) {}
  std::string FileName;
};

// "Problem reading file <name>\r\nException : <text>\r\nEnsure all files ...",
// the name quoted (control bytes and bytes that are not UTF-8 as \xNN, a long
// name cut; see QuoteName).
std::string LoadFailureMessage(const std::string& FileName, const std::string& ErrorText);

class TMS3DObj {
 public:
  TMS3DObj();
  virtual ~TMS3DObj();
  TMS3DObj(const TMS3DObj&) = delete;
  TMS3DObj& operator=(const TMS3DObj&) = delete;

  // Reads Folder/Name. Throws ELoadError on failure: "File not found" only
  // when the file does not exist, else the reason it cannot be read ("Is a
  // directory", "Permission denied", ...), or what is wrong inside it ("Model
  // has no triangles" when it holds none). Messages receives "Cannot find the
  // file: %s" for a missing texture before the throw. Textures must lie in
  // Folder or below it; one bitmap file named by several materials is decoded
  // and uploaded once per masking. The model's counts, names and textures are
  // weighed against the budgets of Load (ModelLoad.h), which the models of one
  // start-up share together with their textures; without Load the model has
  // a load of its own: "Model too large: <why>" or "Name too long: <why>".
  void LoadFromFile(const std::string& Name, const std::string& Folder, IMessageSink& Messages,
                    TModelLoad* Load = nullptr);
  // LoadFromFile without its last stage, Compile: no GL.
  void ReadFromFile(const std::string& Name, const std::string& Folder, IMessageSink& Messages,
                    TModelLoad* Load = nullptr);
  // The same on the file's bytes, already read; Name names it in errors.
  void LoadFromText(const std::string& Name, std::string_view Text, const std::string& Folder,
                    IMessageSink& Messages, TModelLoad* Load = nullptr);

  // The load's stages, in the order the two calls above run them.
  // Read: parses Text (Name names it in errors) into the records; a texture
  // line only records its name. Then checks the triangles' indices and fills
  // the vertex normals and drawing arrays. No GL, no file opened. Every count
  // is weighed before anything is sized from it: vertices, normals and
  // triangles are added to Load's totals. Throws ELoadError naming the model
  // at the first fault; what was read before the fault stays.
  void Read(const std::string& Name, std::string_view Text, TModelLoad* Load = nullptr);
  // ResolveTextures: for every material whose texture line Read took, in
  // file order, finds the bitmap in Folder and decodes it into Textures (or
  // shares an earlier decoding of this model or of another in Load),
  // filling the material's TextureWidth, TextureHeight and TextureIndex. No
  // GL. Throws ELoadError at the first texture that fails (after "Cannot find
  // the file: %s" to Messages for a missing one), or "Model too large: ..."
  // naming the model.
  void ResolveTextures(const std::string& Folder, IMessageSink& Messages, TModelLoad* Load = nullptr);
  // Both stages, failing as a whole load fails: a file is taken in order, so
  // a bad texture named before a fault in the text is the error reported.
  void ReadAndResolve(const std::string& Name, std::string_view Text, const std::string& Folder,
                      IMessageSink& Messages, TModelLoad* Load = nullptr);
  // Compile: uploads Textures that no model has uploaded yet (freeing their
  // images) and gives each textured material its TextureId, then compiles the
  // display lists of the meshes that hold triangles. Needs a current GL context.
  void Compile();

  // Draws every mesh in file order with the current GL transformation. A
  // model wholly out of view sets every material and state, but sends no
  // geometry.
  void Draw(bool Wireframe);

  // The steps of Read and Compile, in this order. ParseLine takes one line
  // without its line end.
  void ParseLine(const std::string& Line);
  // Throws ELoadError "Index out of range" when a triangle names a vertex or
  // normal outside its mesh's arrays.
  void CheckTriangleIndices() const;
  void AssignVertexNormals();
  void CopyDrawArrays();
  // Compiles every mesh's display lists and the model's bounding sphere from
  // the drawing arrays (GL context current); the geometry is fixed from here on.
  void CompileMeshes();

  // One mesh, filled and lit (textured when its material is), or as outlines.
  // NextTextured: the mesh drawn next is textured and turns texturing and
  // blending on again itself, so they are left on.
  void DrawMesh(const T3DMesh& Mesh, bool NextTextured);
  void DrawMeshWireframe(const T3DMesh& Mesh);

  float MinX = 0, MaxX = 0;
  float MinY = 0, MaxY = 0;
  float MinZ = 0, MaxZ = 0;
  uint8_t ParseState = 0;
  uint8_t MeshState = 0;
  uint8_t MaterialState = 0;
  uint8_t BoneState = 0;
  int32_t NumFrames = 0;
  int32_t CurrentFrame = 0;
  int32_t NumMeshes = 0;
  int32_t CurrentMesh = 0;
  std::vector<T3DMesh> Meshes;
  int32_t NumMaterials = 0;
  int32_t CurrentMaterial = 0;
  std::vector<TMaterial> Materials;
  // The collision radius: see LastMeshRadius; set when Read succeeds.
  float MaxRadius = 0;
  int32_t CurrentBone = 0;
  int32_t NumBones = 0;
  std::vector<TBone> Bones;
  // From ResolveTextures: one per bitmap file and masking, shared with the
  // other models of the load that name the same file.
  std::vector<std::shared_ptr<TModelTexture>> Textures;
  std::string FileName;

 private:
  void ParseMeshLine(const std::string& Line);
  void ParseMaterialLine(const std::string& Line);
  void ParseBoneLine(const std::string& Line);
  void FinishMesh();
  void FinishBone();
  void TextureStep(TMaterial& Material, const std::string& Line);
  // What a count line counts, for its budget.
  enum class TCounted { Meshes, Vertices, Normals, Triangles, Materials, Bones };
  int32_t ReadCount(const std::string& Line, int Token, size_t BytesPerEntry, TCounted What);
  // Token N of Line as a name; throws "Name too long" past MaxNameBytes.
  std::string NameToken(const std::string& Line, int N) const;
  int64_t TrianglesRead() const;
  // Throws "Model too large" for a vertex farther than MaxModelCoordinate
  // along an axis.
  void CheckReach(const T3DVertex& V) const;
  // The farthest vertex from the origin that a triangle of the last mesh
  // holding triangles uses (indices checked); 0 when no mesh holds any.
  float LastMeshRadius() const;
  // The area of every triangle read, in square units (indices checked).
  double Surface() const;
  // The material a mesh draws with, or nullptr for the default material.
  const TMaterial* MaterialOf(const T3DMesh& Mesh) const;
  // A mesh's triangles or outline from its list, or vertex by vertex; nothing
  // while the model is out of view.
  void SendFilled(const T3DMesh& Mesh, bool Textured);
  void SendOutlines(const T3DMesh& Mesh);
  void DeleteMeshLists();

  void UploadTextures();

  size_t texturesNamed_ = 0;           // the first materials, whose texture lines Read took
  uint64_t sizedBytes_ = 0;            // bytes the file's counts have sized so far
  TModelLoad* load_ = nullptr;         // during Read: the budgets the counts are weighed against
  unsigned listBase_ = 0;              // the model's display lists, 2 per mesh with triangles
  int listCount_ = 0;
  void (TMS3DObj::*deleteLists_)() = nullptr;  // set when the lists are compiled
  TBoundingSphere bounds_;             // radius < 0: never culled
  bool hideGeometry_ = false;          // set by Draw for a model out of view
};

// True when GL reports no error; otherwise shows "Error: " + the GLU text.
bool CheckGLError(IMessageSink& Messages);
