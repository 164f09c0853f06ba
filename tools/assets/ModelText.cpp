#include "ModelText.h"

#include <cstdio>

namespace {

// Formats without the locale: "%.6f" of the C library follows LC_NUMERIC,
// which this tool never changes, so it stays the C locale's full stop.
std::string Fixed(float Value) {
  if (Value == 0.0f) Value = 0.0f;  // no "-0.000000"
  char text[48];
  std::snprintf(text, sizeof text, "%.6f", double(Value));
  std::string s = text;
  if (s == "-0.000000") s = "0.000000";
  return s;
}

void Line(std::string& Out, const std::string& Text) {
  Out += Text;
  Out += "\r\n";
}

std::string Colour(const TColour4& C) {
  return Fixed(C.R) + " " + Fixed(C.G) + " " + Fixed(C.B) + " " + Fixed(C.A);
}

}  // namespace

std::string WriteModelText(const TModelRec& Model) {
  std::string out;
  Line(out, "// Skyrend model, written by skyrend-assets");
  Line(out, "");
  Line(out, "Frames: 30");
  Line(out, "Frame: 1");
  Line(out, "");
  Line(out, "Meshes: " + std::to_string(Model.Meshes.size()));
  for (const TMeshRec& mesh : Model.Meshes) {
    Line(out, "\"" + mesh.Name + "\" 0 " + std::to_string(mesh.MaterialIndex));
    Line(out, std::to_string(mesh.Vertices.size()));
    for (const TVertexRec& v : mesh.Vertices)
      Line(out, "0 " + Fixed(v.P.X) + " " + Fixed(v.P.Y) + " " + Fixed(v.P.Z) + " " + Fixed(v.U) + " " + Fixed(v.V) +
                    " -1");
    Line(out, std::to_string(mesh.Normals.size()));
    for (const TPoint3& n : mesh.Normals) Line(out, Fixed(n.X) + " " + Fixed(n.Y) + " " + Fixed(n.Z));
    Line(out, std::to_string(mesh.Triangles.size()));
    for (const TTriangleRec& t : mesh.Triangles)
      Line(out, "0 " + std::to_string(t.Vertex[0]) + " " + std::to_string(t.Vertex[1]) + " " +
                    std::to_string(t.Vertex[2]) + " " + std::to_string(t.Normal[0]) + " " +
                    std::to_string(t.Normal[1]) + " " + std::to_string(t.Normal[2]) + " 1");
  }
  Line(out, "");
  Line(out, "Materials: " + std::to_string(Model.Materials.size()));
  for (const TMaterialRec& m : Model.Materials) {
    Line(out, "\"" + m.Name + "\"");
    Line(out, Colour(m.Ambient));
    Line(out, Colour(m.Diffuse));
    Line(out, Colour(m.Specular));
    Line(out, Colour(m.Emissive));
    Line(out, Fixed(m.Shininess));
    Line(out, Fixed(m.Transparency));
    Line(out, "\"" + m.Texture + "\"");
    Line(out, "\"\"");
  }
  Line(out, "");
  Line(out, "Bones: 0");
  Line(out, "GroupComments: 0");
  Line(out, "MaterialComments: 0");
  Line(out, "BoneComments: 0");
  Line(out, "ModelComment: 0");
  return out;
}
