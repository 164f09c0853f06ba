#include "PngFile.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// The picture's rows, from RGBA to RGB or RGBA, in file order. Kept out of
// WriteImage so that no local of its loops lives across libpng's setjmp.
[[gnu::noinline]] void WriteRows(png_structp Png, int Width, int Height, const uint8_t* Rgba, TRowOrder Rows,
                                 int Channels, uint8_t* Row) {
  for (int y = 0; y < Height; ++y) {
    const int Source = Rows == TRowOrder::TopFirst ? y : Height - 1 - y;
    const uint8_t* From = Rgba + size_t(Source) * size_t(Width) * 4;
    for (int x = 0; x < Width; ++x)
      for (int c = 0; c < Channels; ++c) Row[size_t(x) * size_t(Channels) + size_t(c)] = From[x * 4 + c];
    png_write_row(Png, Row);
  }
}

// The whole PNG into File; false when libpng gave up (it jumps back here).
bool WriteImage(std::FILE* File, int Width, int Height, const uint8_t* Rgba, TRowOrder Rows, bool Alpha,
                uint8_t* Row) {
  png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop Info = Png ? png_create_info_struct(Png) : nullptr;
  if (!Png || !Info || setjmp(png_jmpbuf(Png))) {
    png_destroy_write_struct(&Png, &Info);
    return false;
  }
  png_init_io(Png, File);
  png_set_IHDR(Png, Info, Width, Height, 8, Alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(Png, Info);
  WriteRows(Png, Width, Height, Rgba, Rows, Alpha ? 4 : 3, Row);
  png_write_end(Png, nullptr);
  png_destroy_write_struct(&Png, &Info);
  return true;
}

}  // namespace

bool WritePngFile(const std::string& Path, int Width, int Height, const std::vector<uint8_t>& Rgba, TRowOrder Rows,
                  bool Alpha, std::string& Error, TPngOpen Open) {
  if (Width <= 0 || Height <= 0 || Rgba.size() < size_t(Width) * size_t(Height) * 4) {
    Error = "no picture";
    return false;
  }
  errno = 0;
  std::FILE* File = OpenPngFile(Path, Open);
  if (!File) {
    Error = std::strerror(errno);
    return false;
  }
  // Whatever went wrong, a half-written file is not left behind.
  auto Fail = [&](const char* Reason) {
    Error = errno ? std::strerror(errno) : Reason;
    std::remove(Path.c_str());
    return false;
  };
  std::vector<uint8_t> Row(size_t(Width) * size_t(Alpha ? 4 : 3));
  if (!WriteImage(File, Width, Height, Rgba.data(), Rows, Alpha, Row.data())) {
    std::fclose(File);
    return Fail("the PNG could not be written");
  }
  if (std::fclose(File) != 0) return Fail("the PNG could not be written");
  return true;
}
