#include "Textures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace {

constexpr double kPi = 3.141592653589793;

// Integer hash to 0..1: the same lattice value for the same inputs, always.
double Hash(int X, int Y, int Seed) {
  uint32_t h = uint32_t(X) * 374761393u + uint32_t(Y) * 668265263u + uint32_t(Seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return double(h & 0xFFFFFF) / double(0xFFFFFF);
}

// Smooth value noise on a lattice of Cell pixels that wraps every Period cells.
double ValueNoise(double X, double Y, int Cell, int Period, int Seed) {
  const double fx = X / Cell, fy = Y / Cell;
  const int x0 = int(std::floor(fx)), y0 = int(std::floor(fy));
  const double tx = fx - x0, ty = fy - y0;
  auto at = [&](int x, int y) { return Hash(((x % Period) + Period) % Period, ((y % Period) + Period) % Period, Seed); };
  auto s = [](double t) { return t * t * (3 - 2 * t); };
  const double a = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * s(tx);
  const double b = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * s(tx);
  return a + (b - a) * s(ty);
}

// Three octaves of tiling noise over a Size-pixel square, 0..1.
double Fractal(double X, double Y, int Size, int Seed) {
  return 0.5 * ValueNoise(X, Y, Size / 4, 4, Seed) + 0.3 * ValueNoise(X, Y, Size / 8, 8, Seed + 1) +
         0.2 * ValueNoise(X, Y, Size / 16, 16, Seed + 2);
}

uint8_t Byte(double V) { return uint8_t(std::clamp(std::lround(V), 0L, 255L)); }
TRgb Colour(double R, double G, double B) { return {Byte(R), Byte(G), Byte(B)}; }
TRgb Scale(TRgb C, double F) { return Colour(C.R * F, C.G * F, C.B * F); }
TRgb Mix(TRgb A, TRgb B, double T) {
  return Colour(A.R + (B.R - A.R) * T, A.G + (B.G - A.G) * T, A.B + (B.B - A.B) * T);
}

// Steel floor plate: four bevelled panels with rivets.
TImage Floor() {
  const int size = 128;
  TImage img(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double grain = Fractal(x, y, size, 11);
      TRgb c = Colour(92 + 40 * grain, 98 + 40 * grain, 110 + 42 * grain);
      const int px = x % 64, py = y % 64;
      if (px < 3 || py < 3) c = Scale(c, 1.35);  // lit bevel
      if (px > 60 || py > 60) c = Scale(c, 0.5);  // shaded bevel
      if ((px == 8 || px == 55) && (py == 8 || py == 55)) c = Colour(200, 204, 212);
      if ((px == 9 || px == 56) && (py == 9 || py == 56)) c = Colour(40, 42, 48);
      if (x < 2 || y < 2 || x > size - 3 || y > size - 3) c = Colour(30, 32, 36);
      img.At(x, y) = c;
    }
  // A dashed guide line across two panels gives the floor a sense of scale.
  for (int x = 16; x < 112; ++x)
    if ((x / 8) % 2 == 0)
      for (int y = 62; y < 66; ++y) img.At(x, y) = Colour(210, 170, 40);
  return img;
}

// Bulkhead wall for obstacles: riveted plates over a hazard band.
TImage Obstacle() {
  const int size = 128;
  TImage img(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double grain = Fractal(x, y, size, 21);
      TRgb c = Colour(120 + 50 * grain, 104 + 40 * grain, 90 + 30 * grain);
      const int py = y % 32, px = (x + (y / 32) * 24) % 64;
      if (py < 2 || px < 2) c = Colour(40, 34, 30);
      else if (py < 4 || px < 4) c = Scale(c, 1.3);
      if ((px == 7 || px == 57) && (py == 7 || py == 25)) c = Colour(220, 210, 190);
      if (y >= 104) c = (((x + y) / 12) % 2 == 0) ? Colour(230, 180, 20) : Colour(30, 28, 26);
      if (y >= 102 && y < 104) c = Colour(20, 18, 16);
      img.At(x, y) = c;
    }
  return img;
}

// Rocket skin: top rows go to the nose, bottom rows to the tail.
TImage Rocket() {
  const int size = 64;
  TImage img(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      TRgb c = Colour(236, 236, 228);
      if (y < 14) c = Colour(210, 30, 24);
      else if (y < 17) c = Colour(20, 20, 20);
      else if (y >= 36 && y < 42) c = ((x / 8 + y / 3) % 2 == 0) ? Colour(20, 20, 20) : Colour(236, 236, 228);
      else if (y >= 52) c = Colour(70, 70, 76);
      if (x % 16 == 0 && y >= 17 && y < 52) c = Scale(c, 0.8);  // panel seams
      img.At(x, y) = c;
    }
  return img;
}

// Radial glow on black for halos and exhaust (drawn colour-keyed and
// additive). The faint rim is cut to pure black, the key colour, so that the
// halo writes depth only where it visibly glows.
TImage Glow() {
  const int size = 128;
  TImage img(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double r = std::hypot(x - 63.5, y - 63.5) / 63.5;
      const double i = std::max(0.0, 1.0 - r);
      if (i < 0.06) continue;
      img.At(x, y) = Colour(255 * std::min(1.0, 2.2 * i), 255 * std::min(1.0, i * i * 1.6), 255 * i * i * i * 1.2);
    }
  return img;
}

// Title letter faces: bright gold at the top running to deep orange below.
TImage LetterFace() {
  TImage img(4, 64);
  for (int y = 0; y < 64; ++y) {
    const double t = y / 63.0;
    const TRgb c = t < 0.5 ? Mix(Colour(255, 240, 150), Colour(255, 170, 30), t * 2)
                           : Mix(Colour(255, 170, 30), Colour(225, 70, 10), (t - 0.5) * 2);
    for (int x = 0; x < 4; ++x) img.At(x, y) = c;
  }
  return img;
}

// Teleport pad: bright cyan rings and spokes on black.
TImage Teleport() {
  const int size = 128;
  TImage img(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double dx = x - 63.5, dy = y - 63.5, r = std::hypot(dx, dy) / 63.5;
      if (r > 1) continue;
      const double angle = std::atan2(dy, dx);
      double i = 0.25 * (1 - r);
      i += std::max(0.0, 1 - std::fabs(r - 0.92) * 30);
      i += 0.8 * std::max(0.0, 1 - std::fabs(r - 0.62) * 25);
      i += 0.6 * std::max(0.0, 1 - std::fabs(r - 0.32) * 20);
      if (r > 0.35 && r < 0.88) i += 0.5 * std::pow(std::max(0.0, std::cos(angle * 6)), 40);
      if (r < 0.12) i += 1;
      img.At(x, y) = Colour(60 * i, 230 * i, 255 * i);
    }
  return img;
}

// The evil eye: veined sclera, burning iris, a cat's slit and a highlight.
TImage Eye() {
  const int size = 128;
  TImage img(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double dx = x - 63.5, dy = y - 63.5, r = std::hypot(dx, dy);
      const double angle = std::atan2(dy, dx);
      TRgb c = Mix(Colour(250, 244, 230), Colour(220, 150, 140), std::min(1.0, r / 90));
      const double vein = std::fabs(std::sin(angle * 9 + 0.02 * r + 3 * ValueNoise(x, y, 16, 8, 31)));
      if (r > 36 && vein < 0.06) c = Colour(190, 20, 20);
      if (r < 34) {
        const double streak = 0.5 + 0.5 * std::sin(angle * 23 + 4 * ValueNoise(x, y, 8, 16, 32));
        c = Mix(Colour(255, 210, 40), Colour(200, 20, 10), r / 34 * 0.7 + 0.3 * streak);
        if (r > 31) c = Colour(60, 0, 0);
      }
      if (std::fabs(dx) < 6 * std::sqrt(std::max(0.0, 1 - (dy / 28) * (dy / 28))) && std::fabs(dy) < 28)
        c = Colour(8, 0, 0);
      if (std::hypot(x - 52, y - 50) < 6) c = Colour(255, 255, 255);
      img.At(x, y) = c;
    }
  return img;
}

// Tank camouflage in greens.
TImage Camouflage() {
  const int size = 64;
  TImage img(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double n = ValueNoise(x, y, 16, 4, 41) * 0.7 + ValueNoise(x, y, 8, 8, 42) * 0.3;
      img.At(x, y) = n < 0.4 ? Colour(40, 90, 30) : n < 0.6 ? Colour(70, 140, 50) : Colour(110, 170, 70);
    }
  return img;
}

// Saucer hull: green plating with a band of yellow lights around the rim.
TImage Saucer() {
  const int size = 64;
  TImage img(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double grain = Fractal(x, y, size, 51);
      TRgb c = Colour(60 + 40 * grain, 170 + 50 * grain, 90 + 30 * grain);
      if (y % 16 == 0 || x % 16 == 0) c = Scale(c, 0.6);
      if (y >= 28 && y < 36) {
        c = Colour(20, 60, 30);
        if (std::hypot((x % 8) - 3.5, y - 31.5) < 3) c = Colour(255, 240, 90);
      }
      img.At(x, y) = c;
    }
  return img;
}

// Bat-wing membrane with ragged holes; magenta is the colour key (bottom-left).
TImage Wing() {
  const int size = 64;
  const TRgb key = Colour(255, 0, 255);
  TImage img(size, size, key);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      // The wing is a triangle from the root (left edge) to the tip (top right),
      // with a scalloped trailing edge.
      const double u = x / 63.0, v = y / 63.0;
      const double trailing = 1.0 - u * 0.9 + 0.08 * std::fabs(std::sin(u * kPi * 4));
      if (v > trailing || v < 0.02 + 0.0 * u) continue;
      if (ValueNoise(x, y, 4, 16, 61) > 0.86 && u > 0.2) continue;  // torn holes
      const double vein = std::fabs(std::sin(std::atan2(v, u + 0.05) * 10));
      TRgb c = Mix(Colour(150, 40, 200), Colour(70, 10, 110), v);
      if (vein < 0.12) c = Colour(230, 120, 255);
      img.At(x, y) = c;
    }
  img.At(0, size - 1) = key;
  return img;
}

// Jellyfish dome: orange with glowing yellow spots and stripes.
TImage Jelly() {
  const int size = 64;
  TImage img(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      TRgb c = Mix(Colour(255, 150, 30), Colour(200, 60, 10), y / 63.0);
      if (x % 8 < 2) c = Scale(c, 0.75);
      if (std::hypot((x % 16) - 7.5, (y % 16) - 7.5) < 3.5) c = Colour(255, 250, 140);
      img.At(x, y) = c;
    }
  return img;
}

// Gold for the emblem's ring: brushed bands with engraved grooves.
TImage Gold() {
  const int size = 64;
  TImage img(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double brush = ValueNoise(x * 4, y * 0.25, 8, 32, 71);
      TRgb c = Colour(200 + 50 * brush, 150 + 40 * brush, 40 + 20 * brush);
      if (x % 8 == 0) c = Colour(110, 70, 10);
      img.At(x, y) = c;
    }
  return img;
}

struct TTextureEntry {
  const char* Name;
  TImage (*Paint)();
};

const TTextureEntry kTextures[] = {
    {"floor.bmp", Floor},   {"obstacle.bmp", Obstacle}, {"rocket.bmp", Rocket}, {"glow.bmp", Glow},
    {"teleport.bmp", Teleport}, {"eye.bmp", Eye},       {"camo.bmp", Camouflage}, {"saucer.bmp", Saucer},
    {"wing.bmp", Wing},     {"jelly.bmp", Jelly},       {"gold.bmp", Gold},       {"letters.bmp", LetterFace},
};

}  // namespace

std::vector<std::string> TextureNames() {
  std::vector<std::string> names;
  for (const auto& t : kTextures) names.push_back(t.Name);
  return names;
}

TImage PaintTexture(const std::string& FileName) {
  for (const auto& t : kTextures)
    if (FileName == t.Name) return t.Paint();
  throw std::invalid_argument("no texture named " + FileName);
}
