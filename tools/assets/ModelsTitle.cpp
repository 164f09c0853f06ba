// The title text, the title emblem and the player's craft.
#include <cmath>
#include <string>

#include "Models.h"

namespace {

using TOutline = std::vector<TPoint2>;

// Rectangle x0..x1, y0..y1 counter-clockwise from the bottom-left, with the
// corners cut by the given amounts (bottom-left, bottom-right, top-right, top-left).
TOutline Rect(float X0, float Y0, float X1, float Y1, float Bl = 0, float Br = 0, float Tr = 0, float Tl = 0) {
  TOutline o;
  auto corner = [&](float cut, TPoint2 a, TPoint2 b, TPoint2 c) {
    if (cut > 0) {
      o.push_back(a);
      o.push_back(c);
    } else {
      o.push_back(b);
    }
  };
  corner(Bl, {X0, Y0 + Bl}, {X0, Y0}, {X0 + Bl, Y0});
  corner(Br, {X1 - Br, Y0}, {X1, Y0}, {X1, Y0 + Br});
  corner(Tr, {X1, Y1 - Tr}, {X1, Y1}, {X1 - Tr, Y1});
  corner(Tl, {X0 + Tl, Y1}, {X0, Y1}, {X0, Y1 - Tl});
  // A cut as wide as the stroke meets the next corner: drop the repeated point.
  TOutline unique;
  for (size_t i = 0; i < o.size(); ++i) {
    const TPoint2 next = o[(i + 1) % o.size()];
    if (o[i].X != next.X || o[i].Y != next.Y) unique.push_back(o[i]);
  }
  return unique;
}

// Bold block letters on a 10 × 14 grid, each a union of convex strokes.
std::vector<TOutline> Letter(char C) {
  const float bar = 2.6f, top = 14 - bar, midLo = 5.7f, midHi = 8.3f;
  switch (C) {
    case 'S':
      return {Rect(0, top, 10, 14, 0, 0, 0, 2.5f), Rect(0, midLo, 3, 14, 0, 0, 0, 2.5f),
              Rect(0, midLo, 10, midHi, 1.5f, 0, 1.5f, 0), Rect(7, 0, 10, midHi, 0, 2.5f, 0, 0),
              Rect(0, 0, 10, bar, 0, 2.5f, 0, 0)};
    case 'K':
      return {Rect(0, 0, 3, 14), {{3, 5.5f}, {7, 5.5f}, {10, 14}, {6.4f, 14}}, {{6.6f, 0}, {10, 0}, {6.6f, 8}, {3, 8}}};
    case 'Y':
      return {Rect(3.5f, 0, 6.5f, 7), {{3.5f, 6}, {6.5f, 6}, {3, 14}, {0, 14}}, {{3.5f, 6}, {6.5f, 6}, {10, 14}, {7, 14}}};
    case 'R':
      return {Rect(0, 0, 3, 14), Rect(0, top, 7.5f, 14), Rect(7, midLo, 10, 14, 0, 2, 2.5f, 0),
              Rect(0, midLo, 7.5f, midHi), {{6.5f, 0}, {10, 0}, {7, 6}, {3.5f, 6}}};
    case 'E':
      return {Rect(0, 0, 3, 14), Rect(0, top, 10, 14), Rect(0, midLo, 8, midHi), Rect(0, 0, 10, bar)};
    case 'N':
      return {Rect(0, 0, 3, 14), Rect(7, 0, 10, 14), {{7, 0}, {10, 0}, {3, 14}, {0, 14}}};
    case 'D':
      return {Rect(0, 0, 3, 14), Rect(0, top, 7, 14), Rect(0, 0, 7, bar), Rect(7, 0, 10, 14, 0, 3, 3, 0)};
    case 'P':
      return {Rect(0, 0, 3, 14), Rect(0, top, 7.5f, 14), Rect(7, midLo, 10, 14, 0, 2, 2.5f, 0),
              Rect(0, midLo, 7.5f, midHi)};
    case 'Z':
      return {Rect(0, top, 10, 14), Rect(0, 0, 10, bar), {{0, bar}, {3.6f, bar}, {10, top}, {6.4f, top}}};
    case 'T':
      return {Rect(0, top, 10, 14), Rect(3.5f, 0, 6.5f, 14)};
    case 'O':
      return {Rect(0, 0, 3, 14, 2.5f, 0, 0, 2.5f), Rect(7, 0, 10, 14, 0, 2.5f, 2.5f, 0), Rect(2, top, 8, 14),
              Rect(2, 0, 8, bar)};
    case 'L':
      return {Rect(0, 0, 3, 14), Rect(0, 0, 10, bar)};
    case 'A':
      return {Rect(0, 0, 3, 14, 0, 0, 0, 2.5f), Rect(7, 0, 10, 14, 0, 0, 2.5f, 0),
              Rect(0, top, 10, 14, 0, 0, 2.5f, 2.5f), Rect(0, midLo, 10, midHi)};
    default:
      return {};
  }
}

// A torus about the y axis, smooth.
void AddTorus(TMeshRec& Mesh, float Major, float Minor, int Segments, int Sides) {
  std::vector<TPoint2> profile;
  for (int i = 0; i <= Sides; ++i) {
    const float a = -1.5707963f + 6.2831853f * float(i) / float(Sides);
    profile.push_back({Major + Minor * std::cos(a), Minor * std::sin(a)});
  }
  AddLathe(Mesh, {}, profile, Segments, true);
}


// One line of extruded letters, centred on x = 0 with its middle at CentreY,
// Height high; the faces get the letter texture across the line.
void AddTextLine(TMeshRec& Sides, TMeshRec& Faces, const char* Text, float CentreY, float Height, float Depth) {
  const float advance = 12.6f, scaleY = Height / 14, scaleX = scaleY * 1.05f * 14 / 26;
  const int count = int(std::string(Text).size());
  const float left = -((count - 1) * advance + 10) * scaleX / 2;
  TMeshRec faces;
  for (int i = 0; Text[i]; ++i)
    for (TOutline stroke : Letter(Text[i])) {
      for (TPoint2& p : stroke) p = {left + (p.X + i * advance) * scaleX, CentreY + (p.Y - 7) * scaleY};
      AddExtrusion(&faces, &Sides, &Sides, stroke, -Depth, Depth, 0.05f);
    }
  ProjectUvFront(faces, left, -left, CentreY - Height / 2, CentreY + Height / 2);
  AppendMesh(Faces, faces);
}

}  // namespace

// SKYREND in bold extruded letters, about 86 wide and 26 high around the
// origin, 3.2 deep: at 50 in front of the eye it spans most of the view.
// Under it, smaller, the invitation "PRESS Z TO PLAY". The title is drawn
// without depth writes, so the sides come first and the letter faces last,
// painting over them.
TModelRec BuildGameText() {
  TModelRec model;
  model.Materials.push_back(Shiny(MakeMaterial("LetterSide", {0.55f, 0.1f, 0.05f, 1}), 0.3f, 20));
  model.Materials.push_back(
      Glowing(Shiny(MakeMaterial("LetterFace", {0.6f, 0.6f, 0.6f, 1}, "letters.bmp"), 0.6f, 60), {0.5f, 0.5f, 0.5f, 1}));
  TMeshRec sides, faces;
  AddTextLine(sides, faces, "SKYREND", 0, 26, 1.6f);
  AddTextLine(sides, faces, "PRESS Z TO PLAY", -23, 7, 0.8f);
  sides.Name = "LetterSides";
  sides.MaterialIndex = 0;
  faces.Name = "LetterFaces";
  faces.MaterialIndex = 1;
  model.Meshes = {sides, faces};
  return model;
}

// The emblem: a gold ring around a glowing four-pointed star, small enough
// (radius under 30) to stay in view however it tumbles.
TModelRec BuildLogo() {
  TModelRec model;
  model.Materials.push_back(Shiny(MakeMaterial("Gold", {1, 0.85f, 0.45f, 1}, "gold.bmp"), 1.0f, 90));
  model.Materials.push_back(
      Glowing(Shiny(MakeMaterial("Crystal", {0.3f, 0.8f, 1.0f, 1}), 1.0f, 100), {0.1f, 0.35f, 0.55f, 1}));
  model.Materials.push_back(Glowing(MakeMaterial("Core", {1, 0.3f, 0.2f, 1}), {0.8f, 0.15f, 0.05f, 1}));
  TMeshRec& ring = AddMesh(model, "Ring", 0);
  AddTorus(ring, 22, 4, 32, 10);
  RotateMeshX(ring, 90);
  TMeshRec& star = AddMesh(model, "Star", 1);
  AddStar(star, 4, 18, 6, 6);
  TMeshRec& small = AddMesh(model, "SmallStar", 1);
  AddStar(small, 4, 11, 4, 4);
  RotateMeshZ(small, 45);
  TMeshRec& core = AddMesh(model, "Core", 2);
  AddEllipsoid(core, {}, {4.5f, 4.5f, 4.5f}, 12, 8);
  return model;
}

// The player's craft: tracked hull, turret and gun, in camouflage green.
TModelRec BuildGreenTank() {
  TModelRec model;
  model.Materials.push_back(Shiny(MakeMaterial("Camouflage", {0.8f, 1, 0.8f, 1}, "camo.bmp"), 0.3f, 20));
  model.Materials.push_back(MakeMaterial("Tracks", {0.18f, 0.2f, 0.16f, 1}));
  model.Materials.push_back(Shiny(MakeMaterial("Gun", {0.25f, 0.35f, 0.22f, 1}), 0.6f, 50));
  TMeshRec& tracks = AddMesh(model, "Tracks", 1);
  AddBox(tracks, {-15, 0, -17}, {-10, 7, 17});
  AddBox(tracks, {10, 0, -17}, {15, 7, 17});
  TMeshRec& gun = AddMesh(model, "Gun", 2);
  std::vector<TPoint2> barrel = {{0, 0}, {1.6f, 0}, {1.6f, 18}, {2.2f, 18}, {2.2f, 22}, {0, 22}};
  AddLathe(gun, {}, barrel, 10, true);
  RotateMeshX(gun, 90);
  TranslateMesh(gun, {0, 14, 2});
  TMeshRec& body = AddMesh(model, "Hull", 0);
  AddBox(body, {-11, 3, -16}, {11, 10, 14});
  AddFlatPolygon(body, {{-11, 3, 14}, {11, 3, 14}, {11, 7, 19}, {-11, 7, 19}}, {{0, 1}, {1, 1}, {1, 0}, {0, 0}});
  AddFlatPolygon(body, {{-11, 7, 19}, {11, 7, 19}, {11, 10, 14}, {-11, 10, 14}}, {{0, 1}, {1, 1}, {1, 0}, {0, 0}});
  AddFlatPolygon(body, {{-11, 3, 14}, {-11, 7, 19}, {-11, 10, 14}}, {{0, 1}, {1, 1}, {1, 0}});
  AddFlatPolygon(body, {{11, 3, 14}, {11, 10, 14}, {11, 7, 19}}, {{0, 1}, {1, 0}, {1, 1}});
  AddBox(body, {-7, 10, -9}, {7, 17, 5});
  return model;
}
