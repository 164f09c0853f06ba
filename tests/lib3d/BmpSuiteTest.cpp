// Every file of the BMP test suite: the uncompressed 24-bit ones decode to
// the pixels ImageMagick reads from them, every other kind is refused with a
// clear reason, and nothing crashes.
#include <gtest/gtest.h>
#include <stdio.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <stdexcept>

#include "Bitmap.h"
#include "Lib3DTestSupport.h"

namespace {

const std::string SuiteDir = SKYREND_TESTDATA_DIR "/bmpsuite";

// The uncompressed 24-bit files; the suite says they hold the same picture.
const char* const Decodable[] = {"g/rgb24.bmp", "g/rgb24pal.bmp", "q/rgb24largepal.bmp", "q/rgb24prof.bmp",
                                 "q/rgb24lprof.bmp"};

// Files refused for a reason other than their kind.
const std::map<std::string, std::string> SpecialRefusals = {
    {"b/reallybig.bmp", "Range check error"},  // 24-bit, but 3000000 x 2000000 pixels
    {"x/ba-bm.bmp", "Invalid Bitmap"},         // an OS/2 bitmap array: signature "BA"
};

// Independent decode: RGB bytes, top row first.
std::vector<uint8_t> ImageMagickRgb(const std::string& Path) {
  std::vector<uint8_t> out;
  FILE* pipe = popen(("convert '" + Path + "' rgb:- 2>/dev/null").c_str(), "r");
  if (!pipe) return out;
  uint8_t buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.insert(out.end(), buffer, buffer + n);
  pclose(pipe);
  return out;
}

std::string DecodeError(const std::vector<uint8_t>& File) {
  int32_t w, h;
  try {
    DecodeBitmap(File.data(), File.size(), false, w, h);
    return "";
  } catch (const std::runtime_error& e) {
    return e.what();
  }
}

std::vector<std::string> SuiteFiles() {
  std::vector<std::string> files;
  for (const char* folder : {"b", "g", "q", "x"})
    for (const auto& entry : std::filesystem::directory_iterator(SuiteDir + "/" + folder))
      if (entry.path().extension() == ".bmp") files.push_back(std::string(folder) + "/" + entry.path().filename().string());
  std::sort(files.begin(), files.end());
  return files;
}

bool IsDecodable(const std::string& Name) {
  return std::find(std::begin(Decodable), std::end(Decodable), Name) != std::end(Decodable);
}

}  // namespace

TEST(BmpSuite, TwentyFourBitFilesMatchAnIndependentDecode) {
  const std::vector<uint8_t> reference = ImageMagickRgb(SuiteDir + "/g/rgb24.bmp");
  ASSERT_EQ(reference.size(), 127u * 64u * 3u) << "ImageMagick's convert is needed for this test";
  for (const char* name : Decodable) {
    SCOPED_TRACE(name);
    const std::string path = SuiteDir + "/" + name;
    int32_t w = 0, h = 0;
    const std::vector<uint8_t> image = LoadBitmapTexture(path, false, w, h);
    EXPECT_EQ(w, 127);
    EXPECT_EQ(h, 64);
    EXPECT_TRUE(image == ImageMagickRgb(path));
    EXPECT_TRUE(image == reference);

    // Masked: alpha 0 exactly where the pixel equals the bottom-left one.
    const std::vector<uint8_t> masked = LoadBitmapTexture(path, true, w, h);
    ASSERT_EQ(masked.size(), 127u * 64u * 4u);
    const uint8_t* key = &reference[63 * 127 * 3];
    size_t keyed = 0;
    for (size_t i = 0; i < 127u * 64u; ++i) {
      const uint8_t* rgb = &reference[i * 3];
      const bool isKey = rgb[0] == key[0] && rgb[1] == key[1] && rgb[2] == key[2];
      keyed += isKey;
      ASSERT_EQ(masked[i * 4 + 3], isKey ? 0 : 255) << "pixel " << i;
      ASSERT_TRUE(std::equal(rgb, rgb + 3, &masked[i * 4])) << "pixel " << i;
    }
    EXPECT_GT(keyed, 0u);
    EXPECT_LT(keyed, 127u * 64u);
  }
}

TEST(BmpSuite, EveryOtherFileIsRefusedWithAReason) {
  // Palette, 16/32/64-bit, RLE, JPEG/PNG inside, bit fields and OS/2 headers
  // are all other kinds than uncompressed 24-bit: "Unsupported bitmap".
  const std::vector<std::string> files = SuiteFiles();
  EXPECT_GT(files.size(), 80u);
  for (const std::string& name : files) {
    if (IsDecodable(name)) continue;
    SCOPED_TRACE(name);
    const auto special = SpecialRefusals.find(name);
    const std::string expected = special != SpecialRefusals.end() ? special->second : "Unsupported bitmap";
    int32_t w = 0, h = 0;
    try {
      LoadBitmapTexture(SuiteDir + "/" + name, false, w, h);
      ADD_FAILURE() << "decoded";
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()), expected);
    }
    EXPECT_EQ(DecodeError(ReadFileBytes(SuiteDir + "/" + name)), expected);
  }
}

TEST(BmpSuite, ReallyBigIsRefusedOnItsHeader) {
  const std::vector<uint8_t> file = ReadFileBytes(SuiteDir + "/b/reallybig.bmp");
  ASSERT_GE(file.size(), BitmapHeaderBytes);
  try {
    ReadBitmapLayout(file.data(), BitmapHeaderBytes, file.size());
    ADD_FAILURE() << "accepted";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Range check error");
  }
}

TEST(BmpSuite, TruncatedCopiesAreRefusedAndTopDownCopyDecodesTheSame) {
  const std::vector<uint8_t> original = ReadFileBytes(SuiteDir + "/g/rgb24.bmp");
  ASSERT_EQ(original.size(), 24630u);  // 54 + 64 rows of 127 pixels padded to 384 bytes
  const std::vector<uint8_t> reference = ImageMagickRgb(SuiteDir + "/g/rgb24.bmp");
  TTempDir dir;
  const struct {
    size_t Length;
    const char* Error;
  } cuts[] = {{0, "Invalid Bitmap"},
              {1, "Invalid Bitmap"},
              {14, "Bitmap header incomplete"},
              {53, "Bitmap header incomplete"},
              {54, "Bitmap pixel data incomplete"},
              {54 + 384 * 32, "Bitmap pixel data incomplete"},
              {24630 - 4, "Bitmap pixel data incomplete"},  // the last pixel's red byte is gone
              {24630 - 3, ""}};  // only the last row's padding is gone
  for (const auto& cut : cuts) {
    SCOPED_TRACE(cut.Length);
    const std::vector<uint8_t> bytes(original.begin(), original.begin() + cut.Length);
    dir.Write("cut.bmp", bytes);
    int32_t w, h;
    std::string error;
    std::vector<uint8_t> image;
    try {
      image = LoadBitmapTexture(dir.File("cut.bmp"), false, w, h);
    } catch (const std::runtime_error& e) {
      error = e.what();
    }
    EXPECT_EQ(error, cut.Error);
    EXPECT_EQ(DecodeError(bytes), cut.Error);
    if (error.empty()) {
      EXPECT_TRUE(image == reference);
    }
  }

  // The same rows stored top row first, with a negative height.
  std::vector<uint8_t> topDown(original.begin(), original.begin() + 54);
  for (int row = 63; row >= 0; --row)
    topDown.insert(topDown.end(), original.begin() + 54 + row * 384, original.begin() + 54 + (row + 1) * 384);
  PutU32(topDown, 22, static_cast<uint32_t>(-64));
  dir.Write("topdown.bmp", topDown);
  EXPECT_EQ(ImageMagickRgb(dir.File("topdown.bmp")), reference);
  int32_t w = 0, h = 0;
  EXPECT_TRUE(LoadBitmapTexture(dir.File("topdown.bmp"), false, w, h) == reference);
  EXPECT_EQ(h, 64);
  // The key colour is still the picture's bottom-left pixel.
  const std::vector<uint8_t> masked = LoadBitmapTexture(dir.File("topdown.bmp"), true, w, h);
  EXPECT_EQ(masked[63 * 127 * 4 + 3], 0);
  EXPECT_TRUE(masked == LoadBitmapTexture(SuiteDir + "/g/rgb24.bmp", true, w, h));
}

TEST(BmpSuite, RefusedTextureGivesTheLoadFailureMessage) {
  SharedContext();
  TTempDir dir;
  std::filesystem::copy_file(SuiteDir + "/b/reallybig.bmp", dir.File("big.bmp"));
  dir.Write("model.txt", std::string("Frames: 30\nFrame: 1\nMeshes: 0\nMaterials: 1\n\"m\"\n0 0 0 1\n1 1 1 1\n"
                                     "0 0 0 1\n0 0 0 1\n0\n1\n\"big.bmp\"\n\"\"\nBones: 0\n"));
  TMS3DObj model;
  TMessageLog log;
  EXPECT_EQ(TryLoad(model, "model.txt", dir.Path, log), FailureFor("big.bmp", "Range check error"));
  EXPECT_TRUE(log.Messages.empty());
}
