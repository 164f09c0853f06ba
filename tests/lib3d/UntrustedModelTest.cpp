// Model files from anywhere: texture names stay inside the program's folder,
// one bitmap named many times is decoded and uploaded once, a model's
// textures have a size limit, and files that exist but cannot be read say why.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <GL/gl.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "Bitmap.h"
#include "Lib3DTestSupport.h"
#include "ModelLoad.h"
#include "TexturePath.h"

namespace {

namespace fs = std::filesystem;

const std::string Outside = "Texture outside the program folder";

// One triangle and one material per texture line given.
std::string ModelNaming(const std::vector<std::string>& Textures, const char* MaterialName = "\"m\"") {
  std::string text = "Frames: 30\nFrame: 1\nMeshes: 1\n\"m\" 0 0\n1\n0 0 0 0 0 0 -1\n1\n0 0 1\n1\n0 0 0 0 0 0 0 0\n";
  text += "Materials: " + std::to_string(Textures.size()) + "\n";
  for (const std::string& t : Textures)
    text += std::string(MaterialName) + "\n0 0 0 1\n1 1 1 1\n0 0 0 1\n0 0 0 1\n0\n1\n\"" + t + "\"\n\"\"\n";
  return text + "Bones: 0\n";
}

// Runs Load and gives its result; as root (which reads every file), in a
// child process that has become the unprivileged user "nobody".
std::string AsUnprivilegedUser(const std::function<std::string()>& Load) {
  if (geteuid() != 0) return Load();
  int channel[2];
  if (pipe(channel) != 0) return "no pipe";
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    std::string result = setgid(65534) == 0 && setuid(65534) == 0 ? Load() : "cannot become nobody";
    ssize_t written = write(channel[1], result.data(), result.size());
    _exit(written == static_cast<ssize_t>(result.size()) ? 0 : 1);
  }
  close(channel[1]);
  std::string result;
  char buffer[512];
  for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;) result.append(buffer, static_cast<size_t>(n));
  close(channel[0]);
  waitpid(child, nullptr, 0);
  return result;
}

// A program folder "game" with a bitmap in it and one beside it ("secret").
class UntrustedModel : public ::testing::Test {
 protected:
  void SetUp() override {
    SharedContext();
    Game = Root.File("game");
    fs::create_directories(Game + "/sub");
    Root.Write("secret.bmp", SolidBitmap(2, 2, 0xFF0000));
    Root.Write("game/in.bmp", SolidBitmap(4, 4, 0x00FF00));
    Root.Write("game/sub/deep.bmp", SolidBitmap(4, 4, 0x0000FF));
  }
  std::string Load(const std::string& Text) {
    Root.Write("game/model.txt", Text);
    Model = std::make_unique<TMS3DObj>();
    return TryLoad(*Model, "model.txt", Game, Log);
  }
  TTempDir Root;
  std::string Game;
  TMessageLog Log;
  std::unique_ptr<TMS3DObj> Model;
};

}  // namespace

TEST_F(UntrustedModel, NamesLeadingOutTheFolderAreRefusedBeforeReading) {
  fs::create_symlink(Root.File("secret.bmp"), Game + "/link.bmp");
  fs::create_directory_symlink(Root.Path, Game + "/up");
  for (const std::string& name : std::vector<std::string>{"../secret.bmp", "sub/../../secret.bmp", "..\\secret.bmp", "sub\\..\\..\\secret.bmp", "link.bmp",
        "up/secret.bmp", Root.File("secret.bmp"), "../gone.bmp"}) {
    SCOPED_TRACE(name);
    Log.Messages.clear();
    EXPECT_EQ(Load(ModelNaming({name})), FailureFor(name, Outside));
    EXPECT_TRUE(Log.Messages.empty());
  }
  // Inside the folder, with either separator, through a link that stays in.
  fs::create_symlink(Game + "/sub/deep.bmp", Game + "/inner.bmp");
  for (const std::string name : {"in.bmp", "sub/deep.bmp", "sub\\deep.bmp", ".\\in.bmp", "sub/../in.bmp",
                                 "inner.bmp", "up/game/in.bmp"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Load(ModelNaming({name})), "");
    EXPECT_EQ(Model->Materials[0].TextureWidth, 4);
  }
  EXPECT_EQ(ResolveTexturePath(Game, "sub\\deep.bmp"), fs::canonical(Game + "/sub/deep.bmp").string());
}

TEST_F(UntrustedModel, OneFileIsDecodedAndUploadedOncePerMasking) {
  // Sixty materials naming one bitmap under three names of the same file:
  // one texture in all.
  std::vector<std::string> names;
  for (int i = 0; i < 60; ++i) names.push_back(i % 3 == 0 ? "in.bmp" : i % 3 == 1 ? "./in.bmp" : "sub/../in.bmp");
  ASSERT_EQ(Load(ModelNaming(names)), "");
  std::set<uint32_t> plain;
  for (const TMaterial& m : Model->Materials) plain.insert(m.TextureId);
  EXPECT_EQ(plain.size(), 1u);

  std::string mixed = ModelNaming({"in.bmp", "in.bmp"});
  mixed.replace(mixed.rfind("\"m\"\n0 0 0 1"), 3, "\"Masked\"");
  ASSERT_EQ(Load(mixed), "");
  EXPECT_NE(Model->Materials[0].TextureId, Model->Materials[1].TextureId);
  EXPECT_TRUE(Model->Materials[1].Masked);
  GLint alphaBits = 0;
  glBindTexture(GL_TEXTURE_2D, Model->Materials[1].TextureId);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
  EXPECT_GT(alphaBits, 0);
}

TEST_F(UntrustedModel, TexturesAreSharedAndBoundedAcrossTheModelsOfALoad) {
  // 512 x 512 colour-keyed is 1 MB decoded: 64 files fit in one load, 65 do
  // not, however the models share them out.
  const std::vector<uint8_t> big = SolidBitmap(512, 512, 0x808080);
  std::vector<std::string> names;
  for (int i = 0; i < 65; ++i) {
    names.push_back("big" + std::to_string(i) + ".bmp");
    Root.Write("game/" + names.back(), big);
  }
  const auto Part = [&](size_t From, size_t To) {
    return std::vector<std::string>(names.begin() + From, names.begin() + To);
  };
  TModelLoad load;
  TMS3DObj first, second, third;
  const auto LoadInto = [&](TMS3DObj& Model, const std::string& File, const std::vector<std::string>& Textures) {
    Root.Write("game/" + File, ModelNaming(Textures, "\"Masked\""));
    try {
      Model.LoadFromFile(File, Game, Log, &load);
      return std::string();
    } catch (const ELoadError& e) {
      return LoadFailureMessage(e.FileName, e.what());
    }
  };
  ASSERT_EQ(LoadInto(first, "first.txt", Part(0, 40)), "");
  ASSERT_EQ(LoadInto(second, "second.txt", Part(40, 64)), "");
  EXPECT_EQ(load.Textures.Count(), 64u);
  // A texture an earlier model decoded costs nothing more and is the same GL texture.
  std::vector<std::string> again = Part(0, 1);
  again.push_back(names[64]);
  EXPECT_EQ(LoadInto(third, "third.txt", again),
            FailureFor("third.txt", "Model too large: textures of all models over 64 MB decoded"));
  EXPECT_EQ(third.Textures.size(), 1u);
  EXPECT_EQ(third.Textures[0], first.Textures[0]);
  ASSERT_EQ(LoadInto(third, "third.txt", Part(0, 1)), "");
  EXPECT_EQ(third.Materials[0].TextureId, first.Materials[0].TextureId);
  EXPECT_EQ(load.Textures.Count(), 64u);
}

TEST_F(UntrustedModel, FilesThatExistButCannotBeReadSayWhy) {
  fs::create_directory(Game + "/folder.bmp");
  ASSERT_EQ(mkfifo((Game + "/fifo.bmp").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo((Game + "/fifo.txt").c_str(), 0600), 0);
  EXPECT_EQ(Load(ModelNaming({"folder.bmp"})), FailureFor("folder.bmp", "Is a directory"));
  EXPECT_EQ(Load(ModelNaming({"fifo.bmp"})), FailureFor("fifo.bmp", "Not a regular file"));
  EXPECT_TRUE(Log.Messages.empty());
  TMS3DObj model;
  EXPECT_EQ(TryLoad(model, "fifo.txt", Game, Log), FailureFor("fifo.txt", "Not a regular file"));

  Root.Write("game/locked.bmp", SolidBitmap(2, 2, 0));
  Root.Write("game/locked.txt", ModelNaming({"in.bmp"}));
  Root.Write("game/model.txt", ModelNaming({"locked.bmp"}));
  chmod((Game + "/locked.bmp").c_str(), 0);
  chmod((Game + "/locked.txt").c_str(), 0);
  chmod(Root.Path.c_str(), 0755);
  const std::string failures = AsUnprivilegedUser([&] {
    TMS3DObj a, b;
    return TryLoad(a, "model.txt", Game, Log) + "|" + TryLoad(b, "locked.txt", Game, Log);
  });
  EXPECT_EQ(failures, FailureFor("locked.bmp", "Permission denied") + "|" +
                          FailureFor("locked.txt", "Permission denied"));
}

TEST_F(UntrustedModel, AVertexOutOfReachIsRefusedAndOnlyDrawnVerticesMakeTheRadius) {
  // One mesh: three vertices at 1 from the origin and a fourth, which the
  // triangle uses or not.
  const auto Mesh = [](const std::string& Fourth, const char* Triangle) {
    return "Frames: 30\nFrame: 1\nMeshes: 1\n\"m\" 0 0\n4\n0 1 0 0 0 0 -1\n0 0 1 0 0 0 -1\n0 0 0 1 0 0 -1\n0 " +
           Fourth + " 0 0 -1\n1\n0 0 1\n1\n0 " + Triangle + " 0 0 0 1\n";
  };
  const std::string tooFar = FailureFor("model.txt", "Model too large: a vertex coordinate over 4096 units");
  const struct { const char *Fourth, *Triangle; std::string Failure; float Radius; } cases[] = {
      {"1e30 0 0", "0 1 2", tooFar, 0},      // unused: it made every shot hit everything
      {"3.4e38 3.4e38 0", "0 1 3", tooFar, 0},  // used: an infinite radius, a trace of nulls
      {"0 -4096.5 0", "0 1 2", tooFar, 0},
      {"4096 -4096 4096", "0 1 2", "", 1},   // within reach, but no triangle draws it
      {"4096 0 0", "0 1 3", "", 4096},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Fourth);
    EXPECT_EQ(Load(Mesh(c.Fourth, c.Triangle)), c.Failure);
    EXPECT_FLOAT_EQ(Model->MaxRadius, c.Radius);
  }
}

TEST_F(UntrustedModel, ATextureLargerThanTheGLTakesIsRefused) {
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  ASSERT_LT(largest, MaxBitmapPixels);  // so a bitmap one pixel high can pass it
  const std::string over = "Texture too large: ", past = std::to_string(largest + 1),
                    most = ", the GL takes at most " + std::to_string(largest);
  Root.Write("game/wide.bmp", SolidBitmap(largest + 1, 1, 0x808080));
  Root.Write("game/tall.bmp", SolidBitmap(1, largest + 1, 0x808080));
  Root.Write("game/edge.bmp", SolidBitmap(largest, 1, 0x808080));
  EXPECT_EQ(Load(ModelNaming({"wide.bmp"})), FailureFor("wide.bmp", over + past + " x 1 pixels" + most));
  EXPECT_EQ(Load(ModelNaming({"tall.bmp"})), FailureFor("tall.bmp", over + "1 x " + past + " pixels" + most));
  EXPECT_EQ(Load(ModelNaming({"edge.bmp"})), "");
}
