#include "SettingsOverrides.h"

TSettings ApplyOverrides(TSettings S, const TSettingsOverrides& O) {
  if (O.Volume) S.Volume = *O.Volume;
  if (O.MouseSpeed) S.MouseSpeed = *O.MouseSpeed;
  if (O.InvertMouse) S.InvertMouse = *O.InvertMouse;
  if (O.ReduceFlashing) S.ReduceFlashing = *O.ReduceFlashing;
  if (O.Vsync) S.Vsync = *O.Vsync;
  if (O.FullScreen) S.FullScreen = *O.FullScreen;
  if (O.Multisampling) S.Multisampling = *O.Multisampling;
  return S;
}

TSettings KeepChanges(const TSettings& Saved, const TSettings& Before, const TSettings& After) {
  TSettings S = Saved;
  const auto Take = [](auto& Kept, const auto& Was, const auto& Now) {
    if (Was != Now) Kept = Now;
  };
  Take(S.Volume, Before.Volume, After.Volume);
  Take(S.Muted, Before.Muted, After.Muted);
  Take(S.MouseSpeed, Before.MouseSpeed, After.MouseSpeed);
  Take(S.InvertMouse, Before.InvertMouse, After.InvertMouse);
  Take(S.ReduceFlashing, Before.ReduceFlashing, After.ReduceFlashing);
  Take(S.Multisampling, Before.Multisampling, After.Multisampling);
  Take(S.Vsync, Before.Vsync, After.Vsync);
  Take(S.FullScreen, Before.FullScreen, After.FullScreen);
  Take(S.ShowFps, Before.ShowFps, After.ShowFps);
  Take(S.ShareScores, Before.ShareScores, After.ShareScores);
  Take(S.PlayerName, Before.PlayerName, After.PlayerName);
  Take(S.Board, Before.Board, After.Board);
  if (Before.WindowWidth != After.WindowWidth || Before.WindowHeight != After.WindowHeight) {
    S.WindowWidth = After.WindowWidth;
    S.WindowHeight = After.WindowHeight;
  }
  return S;
}
