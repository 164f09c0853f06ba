// The sixteen models of the game, built in code. Each builder returns a
// finished model; BuildModels gives them with their file names in the order
// the game loads them.
#pragma once
#include <string>
#include <vector>

#include "ModelBuilder.h"

struct TNamedModel {
  std::string FileName;
  TModelRec Model;
};

std::vector<TNamedModel> BuildModels();

// Title screen and player (ModelsTitle.cpp).
TModelRec BuildGameText();
TModelRec BuildLogo();
TModelRec BuildGreenTank();
// Aliens and their shadow (ModelsAliens.cpp). Each alien faces +z, stands
// on the floor and keeps its body, the last mesh, within about 55 of its origin.
TModelRec BuildAlien1();
TModelRec BuildAlien2();
TModelRec BuildEvilEye();
TModelRec BuildAlien3();
TModelRec BuildAlienShadow();
// Everything else in the world (ModelsWorld.cpp).
TModelRec BuildObstacle();
TModelRec BuildStarBullet();
TModelRec BuildWhiteDiamond();
TModelRec BuildRedDiamondShadow();
TModelRec BuildAlienBullet();
TModelRec BuildRocket();
TModelRec BuildTeleport();
TModelRec BuildFloorTile();

// Material helpers shared by the builders.
TMaterialRec Shiny(TMaterialRec Material, float Specular, float Shininess);
TMaterialRec Glowing(TMaterialRec Material, TColour4 Emissive);
// A colour-keyed, additive texture that shows its own colours whatever the light.
TMaterialRec GlowTexture(const std::string& Texture, float Strength);
