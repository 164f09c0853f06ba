// The title's text is drawn once and kept as a picture: every later frame of
// the title must show what drawing the text again would show.
#include <gtest/gtest.h>

#include <filesystem>

#include "FormOnFakes.h"

namespace {

TEST(TitlePicture, KeptTextIsTheTextDrawnAgainAtAnySize) {
  constexpr int W = 320, H = 240;
  // The generated models, beside the test.
  auto host = TFormOnFakes::WithContext(W, H, std::filesystem::current_path().string());
  ASSERT_TRUE(host->StartUp());
  TFormMain& form = *host->Form;
  const auto drawnAgain = [&] {
    form.Picture().ForgetTitle();
    form.FormRedraw();
    return host->Context->ReadPixels();
  };
  host->Frame();
  host->Frame();
  const auto kept = host->Context->ReadPixels();
  EXPECT_EQ(kept, drawnAgain());

  // A view of another size gets its text drawn at that size, not the kept one stretched.
  form.SetViewSize(W / 2, H / 2);
  host->Frame();
  host->Frame();
  EXPECT_EQ(host->Context->ReadPixels(), drawnAgain());
}

}  // namespace
