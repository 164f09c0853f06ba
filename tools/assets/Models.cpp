#include "Models.h"

std::vector<TNamedModel> BuildModels() {
  return {
      {"GameText.txt", BuildGameText()},          {"logo.txt", BuildLogo()},
      {"GreenTank.txt", BuildGreenTank()},        {"Alien1.txt", BuildAlien1()},
      {"Alien2.txt", BuildAlien2()},              {"EvilEye.txt", BuildEvilEye()},
      {"Alien3.txt", BuildAlien3()},              {"Alien1Shadow.txt", BuildAlienShadow()},
      {"Obstacle.txt", BuildObstacle()},          {"StarBullet.txt", BuildStarBullet()},
      {"WhiteDiamond.txt", BuildWhiteDiamond()},  {"RedDiamondShadow.txt", BuildRedDiamondShadow()},
      {"AlienBullet.txt", BuildAlienBullet()},    {"Rocket.txt", BuildRocket()},
      {"Teleport.txt", BuildTeleport()},          {"FloorTile.txt", BuildFloorTile()},
  };
}

TMaterialRec Shiny(TMaterialRec Material, float Specular, float Shininess) {
  Material.Specular = {Specular, Specular, Specular, 1};
  Material.Shininess = Shininess;
  return Material;
}

TMaterialRec Glowing(TMaterialRec Material, TColour4 Emissive) {
  Material.Emissive = Emissive;
  return Material;
}

TMaterialRec GlowTexture(const std::string& Texture, float Strength) {
  // "Masked" drops the black key texels entirely (no depth written there);
  // a transparency other than 1 makes the rest add onto what lies behind.
  TMaterialRec m = MakeMaterial("Masked", {0, 0, 0, Strength}, Texture);
  m.Ambient = {0, 0, 0, Strength};
  m.Emissive = {1, 1, 1, 1};
  m.Transparency = Strength;
  return m;
}
