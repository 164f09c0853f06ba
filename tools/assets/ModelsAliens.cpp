// The four aliens and the shadow drawn under them. Each alien always shows
// the viewer its +z side, rises from the floor (lowest point at or above
// y 0, so the game's lift by the first alien's MinY keeps them all standing)
// and keeps its body, the last mesh, within about 55 of its origin: that
// distance is its collision radius.
#include <cmath>

#include "Models.h"

namespace {

constexpr float kPi = 3.14159265f;

// A pointed cone of Length from Base, leaning AngleDeg from straight up
// towards -x (counter-clockwise about z), flat-faced.
void AddSpike(TMeshRec& Mesh, TPoint3 Base, float AngleDeg, float Length, float Radius, int Sides) {
  TMeshRec part;
  AddLathe(part, {}, {{0, 0}, {Radius, 0}, {0, Length}}, Sides, false);
  RotateMeshZ(part, AngleDeg);
  TranslateMesh(part, Base);
  AppendMesh(Mesh, part);
}

// The same polygon seen from both sides, with the same picture on each.
void AddTwoSidedPolygon(TMeshRec& Mesh, const std::vector<TPoint3>& Corners, const std::vector<TPoint2>& Uvs) {
  AddFlatPolygon(Mesh, Corners, Uvs);
  const std::vector<TPoint3> backCorners(Corners.rbegin(), Corners.rend());
  const std::vector<TPoint2> backUvs(Uvs.rbegin(), Uvs.rend());
  AddFlatPolygon(Mesh, backCorners, backUvs);
}

// Upper half of an ellipsoid (equator at Centre), smooth, UV by height.
void AddDome(TMeshRec& Mesh, TPoint3 Centre, float Radius, float Height, int Segments) {
  std::vector<TPoint2> profile;
  for (int i = 0; i <= 8; ++i) {
    const float a = 0.5f * kPi * float(i) / 8;
    profile.push_back({Radius * std::cos(a), Height * std::sin(a)});
  }
  profile.back().X = 0;
  AddLathe(Mesh, Centre, profile, Segments, true);
}

}  // namespace

// A green flying saucer: wide hull with a ring of lights, a glass dome,
// glowing pods beneath and an antenna.
TModelRec BuildAlien1() {
  TModelRec model;
  model.Materials.push_back(Shiny(MakeMaterial("Hull", {0.8f, 1, 0.8f, 1}, "saucer.bmp"), 0.7f, 40));
  model.Materials.push_back(
      Glowing(Shiny(MakeMaterial("Glass", {0.3f, 0.9f, 0.9f, 1}), 1.0f, 110), {0.05f, 0.25f, 0.25f, 1}));
  model.Materials.push_back(Glowing(MakeMaterial("Pod", {0.6f, 1, 0.3f, 1}), {0.5f, 0.9f, 0.2f, 1}));
  model.Materials.push_back(Glowing(MakeMaterial("Beacon", {1, 0.2f, 0.1f, 1}), {0.9f, 0.1f, 0.05f, 1}));
  TMeshRec& pods = AddMesh(model, "Pods", 2);
  for (int i = 0; i < 3; ++i) {
    const float a = 2 * kPi * (float(i) + 0.5f) / 3;
    AddEllipsoid(pods, {20 * std::sin(a), 21, 20 * std::cos(a)}, {5, 5, 5}, 10, 6);
  }
  TMeshRec& antenna = AddMesh(model, "Antenna", 3);
  AddSpike(antenna, {0, 50, 0}, 0, 6, 1.2f, 5);
  AddEllipsoid(antenna, {0, 56, 0}, {2.2f, 2.2f, 2.2f}, 8, 6);
  TMeshRec& dome = AddMesh(model, "Dome", 1);
  AddDome(dome, {0, 34, 0}, 17, 17, 20);
  TMeshRec& hull = AddMesh(model, "Hull", 0);
  AddEllipsoid(hull, {0, 30, 0}, {40, 9, 40}, 28, 10);
  return model;
}

// A purple bat: ragged colour-keyed wings, horns, glowing yellow eyes.
TModelRec BuildAlien2() {
  TModelRec model;
  TMaterialRec wing = MakeMaterial("Masked", {1, 1, 1, 1}, "wing.bmp");
  wing.Emissive = {0.25f, 0.1f, 0.3f, 1};
  model.Materials.push_back(wing);
  model.Materials.push_back(Shiny(MakeMaterial("Body", {0.55f, 0.2f, 0.75f, 1}), 0.8f, 50));
  model.Materials.push_back(Shiny(MakeMaterial("Horn", {0.2f, 0.05f, 0.25f, 1}), 0.9f, 80));
  model.Materials.push_back(Glowing(MakeMaterial("Eye", {1, 1, 0.2f, 1}), {1, 0.9f, 0.1f, 1}));
  TMeshRec& wings = AddMesh(model, "Wings", 0);
  for (float side : {-1.0f, 1.0f}) {
    // Root at the body, tip up and out, swept a little back.
    std::vector<TPoint3> corners = {{6 * side, 22, 0}, {6 * side, 50, 0}, {46 * side, 56, -10}, {46 * side, 20, -10}};
    std::vector<TPoint2> uvs = {{0, 1}, {0, 0}, {1, 0}, {1, 1}};
    if (side > 0) {
      std::swap(corners[0], corners[1]), std::swap(corners[2], corners[3]);
      std::swap(uvs[0], uvs[1]), std::swap(uvs[2], uvs[3]);
    }
    AddTwoSidedPolygon(wings, corners, uvs);
  }
  TMeshRec& horns = AddMesh(model, "Horns", 2);
  AddSpike(horns, {-5, 46, 0}, 25, 13, 2.5f, 6);
  AddSpike(horns, {5, 46, 0}, -25, 13, 2.5f, 6);
  AddSpike(horns, {-4, 20, 0}, 160, 11, 2.5f, 6);
  AddSpike(horns, {4, 20, 0}, -160, 11, 2.5f, 6);
  TMeshRec& eyes = AddMesh(model, "Eyes", 3);
  AddEllipsoid(eyes, {-4.5f, 40, 7.2f}, {2.8f, 2.2f, 2.2f}, 8, 6);
  AddEllipsoid(eyes, {4.5f, 40, 7.2f}, {2.8f, 2.2f, 2.2f}, 8, 6);
  TMeshRec& body = AddMesh(model, "Body", 1);
  AddEllipsoid(body, {0, 34, 0}, {11, 17, 9}, 16, 10);
  return model;
}

// The evil eye: a veined eyeball with a slit pupil under a frowning brow,
// ringed by dark spikes.
TModelRec BuildEvilEye() {
  TModelRec model;
  model.Materials.push_back(Shiny(MakeMaterial("Spike", {0.35f, 0.08f, 0.3f, 1}), 0.9f, 70));
  model.Materials.push_back(Shiny(MakeMaterial("Brow", {0.45f, 0.05f, 0.05f, 1}), 0.4f, 20));
  model.Materials.push_back(Glowing(Shiny(MakeMaterial("Eye", {1, 1, 1, 1}, "eye.bmp"), 1.0f, 100),
                                    {0.25f, 0.2f, 0.2f, 1}));
  const TPoint3 centre{0, 34, 0};
  TMeshRec& spikes = AddMesh(model, "Spikes", 0);
  for (float angle : {0.f, 30.f, -30.f, 60.f, -60.f, 90.f, -90.f, 120.f, -120.f})
    AddSpike(spikes, centre + TPoint3{0, 0, -6}, angle, 33, 5.5f, 6);
  TMeshRec& brow = AddMesh(model, "Brow", 1);
  for (float side : {-1.0f, 1.0f}) {
    TMeshRec part;
    AddBox(part, {0, -2.5f, -4}, {17, 2.5f, 4});
    if (side < 0) TranslateMesh(part, {-17, 0, 0});
    RotateMeshZ(part, 18 * side);  // outer ends up: an angry frown
    TranslateMesh(part, centre + TPoint3{0, 16, 15});
    AppendMesh(brow, part);
  }
  TMeshRec& eye = AddMesh(model, "Eyeball", 2);
  AddEllipsoid(eye, centre, {22, 22, 22}, 24, 16);
  ProjectUvFront(eye, -22, 22, centre.Y - 22, centre.Y + 22);
  return model;
}

// An orange jellyfish: spotted dome, big eyes, tentacles trailing to the floor.
TModelRec BuildAlien3() {
  TModelRec model;
  model.Materials.push_back(Shiny(MakeMaterial("Dome", {1, 1, 1, 1}, "jelly.bmp"), 0.8f, 60));
  model.Materials.push_back(Glowing(MakeMaterial("Tentacle", {1, 0.45f, 0.25f, 1}), {0.35f, 0.1f, 0.02f, 1}));
  model.Materials.push_back(Shiny(MakeMaterial("EyeWhite", {1, 1, 0.95f, 1}), 0.8f, 60));
  model.Materials.push_back(Shiny(MakeMaterial("Pupil", {0.02f, 0.02f, 0.05f, 1}), 1.0f, 100));
  model.Materials.push_back(MakeMaterial("Underside", {0.7f, 0.25f, 0.08f, 1}));
  TMeshRec& tentacles = AddMesh(model, "Tentacles", 1);
  for (int i = 0; i < 8; ++i) {
    const float a = 2 * kPi * (float(i) + 0.5f) / 8;
    const float sway = (i % 2 == 0 ? 1.0f : -1.0f) * 12.0f;
    AddSpike(tentacles, {19 * std::sin(a), 30, 19 * std::cos(a)}, 180 + sway, 27, 4, 6);
  }
  TMeshRec& whites = AddMesh(model, "Eyes", 2);
  AddEllipsoid(whites, {-9, 40, 23.5f}, {5.5f, 6.5f, 5}, 12, 8);
  AddEllipsoid(whites, {9, 40, 23.5f}, {5.5f, 6.5f, 5}, 12, 8);
  TMeshRec& pupils = AddMesh(model, "Pupils", 3);
  AddEllipsoid(pupils, {-8, 39, 28}, {2.6f, 3.2f, 1.6f}, 10, 6);
  AddEllipsoid(pupils, {8, 39, 28}, {2.6f, 3.2f, 1.6f}, 10, 6);
  TMeshRec& under = AddMesh(model, "Underside", 4);
  AddLathe(under, {}, {{0, 26}, {30, 30}}, 24, false);
  TMeshRec& dome = AddMesh(model, "Dome", 0);
  AddDome(dome, {0, 30, 0}, 30, 24, 24);
  return model;
}

// A soft dark disc laid on the floor, facing up.
TModelRec BuildAlienShadow() {
  TModelRec model;
  TMaterialRec m = MakeMaterial("Shadow", {0.04f, 0.04f, 0.05f, 1});
  m.Ambient = {0.02f, 0.02f, 0.03f, 1};
  model.Materials.push_back(m);
  TMeshRec& disc = AddMesh(model, "Shadow", 0);
  AddLathe(disc, {}, {{28, 0}, {0, 0}}, 20, false);
  return model;
}
