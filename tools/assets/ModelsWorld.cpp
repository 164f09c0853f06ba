// Obstacles, projectiles, fragments, the rocket, teleports and the floor.
#include <cmath>

#include "Models.h"

namespace {

// A pad of the given half size lying on y = Height, facing up.
void AddFloorQuad(TMeshRec& Mesh, float Half, float Height) {
  AddFlatQuad(Mesh, {-Half, Height, Half}, {Half, Height, Half}, {Half, Height, -Half}, {-Half, Height, -Half});
}

// Flat dark shape on the floor (y 0), facing up.
TMaterialRec ShadowMaterial(TColour4 Colour) {
  TMaterialRec m = MakeMaterial("Shadow", Colour);
  m.Ambient = {Colour.R * 0.5f, Colour.G * 0.5f, Colour.B * 0.5f, 1};
  return m;
}

}  // namespace

// A bulkhead tower with a pyramid roof and a red beacon on a low plinth. The
// plinth comes last: its corner distance (about 102) is the collision radius,
// and it is the footprint on the floor.
TModelRec BuildObstacle() {
  TModelRec model;
  model.Materials.push_back(Shiny(MakeMaterial("Wall", {1, 1, 1, 1}, "obstacle.bmp"), 0.3f, 20));
  model.Materials.push_back(Shiny(MakeMaterial("Roof", {0.45f, 0.42f, 0.4f, 1}), 0.6f, 40));
  model.Materials.push_back(Glowing(MakeMaterial("Beacon", {1, 0.15f, 0.1f, 1}), {1, 0.1f, 0.05f, 1}));
  model.Materials.push_back(Shiny(MakeMaterial("Plinth", {0.3f, 0.3f, 0.33f, 1}), 0.2f, 10));
  TMeshRec& wall = AddMesh(model, "Tower", 0);
  AddBox(wall, {-52, 5, -52}, {52, 120, 52});
  TMeshRec& roof = AddMesh(model, "Roof", 1);
  AddLathe(roof, {0, 120, 0}, {{0, 0}, {80, 0}, {0, 42}}, 4, false);
  RotateMeshY(roof, 45);
  TMeshRec& beacon = AddMesh(model, "Beacon", 2);
  AddLathe(beacon, {0, 158, 0}, {{0, 0}, {6, 6}, {0, 14}}, 4, false);
  TMeshRec& plinth = AddMesh(model, "Plinth", 3);
  AddBox(plinth, {-72, 0, -72}, {72, 5, 72});
  return model;
}

// The player's shot: a spinning yellow star in a glowing halo. The halo
// comes first (additive, colour-keyed); the star's radius, 13, is the shot's.
TModelRec BuildStarBullet() {
  TModelRec model;
  model.Materials.push_back(GlowTexture("glow.bmp", 0.8f));
  model.Materials.push_back(
      Glowing(Shiny(MakeMaterial("Star", {1, 0.9f, 0.2f, 1}), 1.0f, 60), {0.7f, 0.55f, 0.05f, 1}));
  TMeshRec& halo = AddMesh(model, "Halo", 0);
  AddFlatQuad(halo, {-20, -20, 0}, {20, -20, 0}, {20, 20, 0}, {-20, 20, 0});
  TMeshRec& star = AddMesh(model, "Star", 1);
  AddStar(star, 5, 13, 5.5f, 4);
  return model;
}

// A fragment: an octahedron whose first material the game recolours.
TModelRec BuildWhiteDiamond() {
  TModelRec model;
  model.Materials.push_back(Shiny(MakeMaterial("Diamond", {1, 1, 1, 1}), 1.0f, 90));
  TMeshRec& gem = AddMesh(model, "Diamond", 0);
  AddLathe(gem, {}, {{0, -8}, {5.5f, 0}, {0, 8}}, 4, false);
  return model;
}

// A fragment's shadow: a dark red rhombus on the floor.
TModelRec BuildRedDiamondShadow() {
  TModelRec model;
  model.Materials.push_back(ShadowMaterial({0.22f, 0.02f, 0.02f, 1}));
  TMeshRec& shadow = AddMesh(model, "Shadow", 0);
  AddFlatPolygon(shadow, {{6, 0, 0}, {0, 0, -6}, {-6, 0, 0}, {0, 0, 6}}, {{1, 0.5f}, {0.5f, 0}, {0, 0.5f}, {0.5f, 1}});
  return model;
}

// An alien's bullet: an orange orb in a glowing halo, always facing the viewer.
TModelRec BuildAlienBullet() {
  TModelRec model;
  model.Materials.push_back(GlowTexture("glow.bmp", 0.9f));
  model.Materials.push_back(
      Glowing(Shiny(MakeMaterial("Orb", {1, 0.5f, 0.1f, 1}), 1.0f, 80), {0.8f, 0.35f, 0.05f, 1}));
  TMeshRec& halo = AddMesh(model, "Halo", 0);
  AddFlatQuad(halo, {-19, -19, 0}, {19, -19, 0}, {19, 19, 0}, {-19, 19, 0});
  TMeshRec& orb = AddMesh(model, "Orb", 1);
  AddEllipsoid(orb, {}, {11, 11, 11}, 16, 10);
  return model;
}

// A homing rocket along +z: striped body with a red nose, four fins in an X
// and a flame at the tail. The body comes last: radius 33, nose to tail.
TModelRec BuildRocket() {
  TModelRec model;
  model.Materials.push_back(GlowTexture("glow.bmp", 1.0f));
  model.Materials.push_back(Shiny(MakeMaterial("Fin", {0.85f, 0.12f, 0.08f, 1}), 0.6f, 40));
  model.Materials.push_back(Shiny(MakeMaterial("Body", {1, 1, 1, 1}, "rocket.bmp"), 0.9f, 70));
  TMeshRec& flame = AddMesh(model, "Flame", 0);
  AddTwoSidedQuad(flame, {-6, 0, -44}, {-6, 0, -24}, {6, 0, -24}, {6, 0, -44});
  AddTwoSidedQuad(flame, {0, -6, -44}, {0, 6, -44}, {0, 6, -24}, {0, -6, -24});
  AddTwoSidedQuad(flame, {-7, -7, -28}, {7, -7, -28}, {7, 7, -28}, {-7, 7, -28});
  TMeshRec& fins = AddMesh(model, "Fins", 1);
  for (int i = 0; i < 4; ++i) {
    TMeshRec fin;
    AddExtrusion(&fin, &fin, &fin, {{5, -26}, {15, -28}, {15, -21}, {5, -9}}, -0.8f, 0.8f, 0.05f);
    RotateMeshX(fin, 90);
    RotateMeshZ(fin, 45.0f + 90.0f * float(i));
    AppendMesh(fins, fin);
  }
  TMeshRec& body = AddMesh(model, "Body", 2);
  AddLathe(body, {}, {{0, -26}, {6, -26}, {6.5f, -22}, {6.5f, 14}, {5.8f, 20}, {4.2f, 26}, {2, 31}, {0, 33}}, 16,
           true);
  RotateMeshX(body, 90);
  return model;
}

// A teleport: a glowing ringed pad (colour-keyed, additive) in a metal rim
// with four beacon posts.
TModelRec BuildTeleport() {
  TModelRec model;
  model.Materials.push_back(Shiny(MakeMaterial("Rim", {0.35f, 0.38f, 0.45f, 1}), 0.7f, 50));
  model.Materials.push_back(Glowing(MakeMaterial("Light", {0.3f, 0.9f, 1, 1}), {0.3f, 0.9f, 1, 1}));
  model.Materials.push_back(GlowTexture("teleport.bmp", 0.9f));
  TMeshRec& rim = AddMesh(model, "Rim", 0);
  AddLathe(rim, {}, {{63, 0}, {63, 2}, {57, 2}, {57, 0}}, 32, false);
  for (int i = 0; i < 4; ++i) {
    const float a = 0.785398f + 1.570796f * float(i);
    TMeshRec post;
    AddBox(post, {-2.5f, 0, -2.5f}, {2.5f, 16, 2.5f});
    TranslateMesh(post, {60 * std::cos(a), 0, 60 * std::sin(a)});
    AppendMesh(rim, post);
  }
  TMeshRec& lights = AddMesh(model, "Lights", 1);
  for (int i = 0; i < 4; ++i) {
    const float a = 0.785398f + 1.570796f * float(i);
    AddLathe(lights, {60 * std::cos(a), 16, 60 * std::sin(a)}, {{0, 0}, {4, 4}, {0, 8}}, 4, false);
  }
  TMeshRec& pad = AddMesh(model, "Pad", 2);
  AddFloorQuad(pad, 60, 2.2f);
  return model;
}

// A square of steel floor, 200 across, lying on y 0.
TModelRec BuildFloorTile() {
  TModelRec model;
  model.Materials.push_back(Shiny(MakeMaterial("Floor", {1, 1, 1, 1}, "floor.bmp"), 0.25f, 16));
  TMeshRec& tile = AddMesh(model, "Tile", 0);
  AddFloorQuad(tile, 100, 0);
  return model;
}
