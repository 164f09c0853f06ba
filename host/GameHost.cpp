#include "GameHost.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "DemoFile.h"
#include "GameRecording.h"
#include "HostScreens.h"
#include "InputPath.h"
#include "PauseLayout.h"
#include "PauseScreen.h"
#include "ScoreSharing.h"
#include "SettingsFile.h"
#include "TitleTableLayout.h"
#include "frmMainGL.h"

const char* const WindowTitle = "Skyrend";
const char* const PausedTitle = "Skyrend [PAUSED]";

namespace {

// A quarter of an hour of play (a tick line each frame, the mouse's lines while
// it moves) fits before the recording's buffer grows for the first time.
constexpr size_t ReservedDemoBytes = 1 << 20;

// The keys of the title's table and of a replay.
constexpr uint16_t VkReturn = 13, VkLeft = 37, VkUp = 38, VkRight = 39, VkDown = 40;

// Used when a shell gives no wall clock: time stands still.
class TStoppedClock : public ITickSource {
 public:
  uint32_t GetTickCount() override { return 0; }
};

// Viewport (0, 0, Width, Height); projection gluPerspective(45, Width / Height,
// 1, 100); then the model-view matrix, current and identity.
void ResizeView(int Width, int Height) {
  glViewport(0, 0, Width, Height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, double(Width) / double(Height), 1.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

}  // namespace

uint32_t MouseButtons(bool Left, bool Right) { return (Left ? ssLeft : 0u) | (Right ? ssRight : 0u); }

TGameHost::TGameHost(const THostPlatform& Platform)
    : platform_(Platform), options_(Platform.WindowSettings, Platform.Settings),
      pausePicture_(std::make_unique<TPauseScreen>()),
      titleHint_(Platform.EscapeQuits ? "P: OPTIONS    ESC: QUIT" : "P OR ESC: OPTIONS") {
  static TStoppedClock stopped;
  if (!platform_.WallClock) platform_.WallClock = &stopped;
  mouseScale_.Set(platform_.Settings.MouseSpeed, platform_.Settings.InvertMouse);
  MakeWorld(platform_.Width, platform_.Height, true, false);
  if (platform_.Board && platform_.Store) {
    sharing_ = std::make_unique<TScoreSharing>(*platform_.Board, *platform_.Store,
                                               [this](const std::string& Text) { ShowNotice(Text); });
    sharing_->SendWaiting(platform_.Settings);  // the games an earlier run could not send
  }
}

void TGameHost::PollStore() {
  if (platform_.Store) platform_.Store->Poll();
  if (sharing_) sharing_->Tick(platform_.WallClock->GetTickCount());
}

void TGameHost::MakeWorld(int Width, int Height, bool Live, bool Silent) {
  if (form_) form_->FormDestroy();
  form_.reset();  // before the input path, whose clock and cursor it holds
  input_ = std::make_unique<TInputPath>(Width, Height, platform_.Cursor);
  frame_ = 0;
  start_ = GameTicks();
  onTitle_ = true;
  gameOver_ = false;
  TServices Services;
  Services.Ticks = &input_->Clock();
  Services.Sound = Silent ? &silent_ : platform_.Sound;
  Services.Messages = platform_.Messages;
  Services.Cursor = &input_->Cursor();
  Services.ProgramFolder = platform_.ProgramFolder;
  Services.ScreenWidth = Width;
  Services.ScreenHeight = Height;
  // The player's kept table: the high score starts at its best.
  const int32_t Best = platform_.Scores.empty() ? 0 : platform_.Scores.front().Score;
  form_ = std::make_unique<TFormMain>(Services, Best);
  form_->Picture().SetReduceFlashing(platform_.Settings.ReduceFlashing);
  games_.reset();
  if (platform_.RecordGames && Live) {
    games_ = std::make_unique<TGameRecording>(ReservedDemoBytes, MaxScriptBytes);
    const std::string Header = DemoHeaderLine(Width, Height) + "\n";
    games_->Append(Header.data(), Header.size());
    Stream().KeepIn(games_.get());
  }
}

const TWorldState& TGameHost::World() const { return form_->World(); }

TInputStream& TGameHost::Stream() { return input_->Stream(); }

TVirtualPointer& TGameHost::Pointer() { return input_->Cursor().Pointer(); }

long TGameHost::CursorHides() const { return input_->Cursor().Hides(); }

bool TGameHost::Replaying() const { return input_->Replaying(); }

TPicture& TGameHost::Picture() { return form_->Picture(); }

TGameHost::~TGameHost() {
  // A score still waiting for the lock is saved (or given up) while its game's host is here to hear it.
  if (platform_.Store) platform_.Store->FinishSaves();
  // The form goes while the shell's GL context is still current: its models own GL objects.
  ReleaseScreens();
  form_->FormDestroy();
  form_.reset();
  CloseRecording();
}

std::unique_ptr<std::ostream> CreateDemoFile(const std::string& Path) { return std::make_unique<TDemoFile>(Path); }

void TGameHost::Record(std::unique_ptr<std::ostream> Out, const std::string& Name, bool Header) {
  record_ = std::move(Out);
  recordName_ = Name;
  Stream().WriteTo(record_.get());
  if (Header) *record_ << DemoHeaderLine(platform_.Width, platform_.Height) << "\n";
}

void TGameHost::Replay(std::vector<TScriptEvent> Events, uint32_t MsPerFrame) {
  input_->Replay(std::move(Events), MsPerFrame);
}

bool TGameHost::ReplayFinished() const { return Replaying() && !watching_ && frame_ >= input_->ReplayLastFrame(); }

bool TGameHost::CloseRecording() {
  if (!record_) return true;
  Stream().WriteTo(nullptr);
  record_->flush();
  bool Written = !record_->fail();
  if (auto* File = dynamic_cast<TDemoFile*>(record_.get())) Written = File->Close() && Written;
  record_.reset();
  if (!Written) std::fprintf(stderr, "skyrend: %s: the demo could not be written\n", recordName_.c_str());
  return Written;
}

bool TGameHost::Passes(uint16_t Vk, bool Down) {
  if (Down && Vk == VkPause) {
    TogglePause();
    return false;
  }
  if (Vk == VkMute) {
    if (Down) ToggleMute();
    return false;
  }
  if (Down && Vk == VkEscape && !platform_.EscapeQuits) {
    RequestPause();
    return false;
  }
  if (Down && Vk == VkEscape && pause_.Running() && InPlay()) {
    // One key must not throw a run away: the pause screen says a second Escape quits.
    RequestPause();
    return false;
  }
  if (Down && Vk == VkEscape) {
    // A press ends the run even when let go before the next frame: paused at
    // once, playing after the frame, so that frame is completed.
    escapeDown_ = true;
    return pause_.Running() && !Replaying();
  }
  if (Replaying()) return false;  // a demo plays; the player's input does not reach the game
  // Paused, only releases reach the game, so that no key stays held.
  return pause_.Running() || (!Down && Vk != 0);
}

bool TGameHost::InPlay() const {
  return !Replaying() && !World().StartupPending && !World().OnTitleScreen && World().GameOverTimer == 0;
}

void TGameHost::KeyDown(uint16_t Vk) {
  if (Vk == 0 || Vk > 255) return;
  // Escape's auto-repeat would quit from the pause its first press made.
  if (Vk == VkEscape && escapeKeyDown_) return;
  if (Vk == VkEscape) escapeKeyDown_ = true;
  lastKey_ = platform_.WallClock->GetTickCount();
  if (watching_) {
    WatchKey(Vk);
    return;
  }
  if (Vk == VkPause && pauseKeyDown_) return;  // its auto-repeat
  if (Vk == VkPause) pauseKeyDown_ = true;
  if (Vk == VkMute && muteKeyDown_) return;
  if (Vk == VkMute) muteKeyDown_ = true;
  if (pause_.Paused()) ChooseOption(Vk);
  else TableKey(Vk);  // the key goes on to the game as well: the title's world takes what it takes
  if (Passes(Vk, true)) Stream().KeyDown(Vk);
}

void TGameHost::KeyUp(uint16_t Vk) {
  if (Vk == 0 || Vk > 255) return;
  if (Vk == VkPause) pauseKeyDown_ = false;
  if (Vk == VkMute) muteKeyDown_ = false;
  if (Vk == VkEscape) escapeKeyDown_ = false;
  if (!watching_ && Passes(Vk, false)) Stream().KeyUp(Vk);
}

void TGameHost::MouseMotion(int Dx, int Dy, uint32_t Buttons) {
  if (!Passes(0, true)) return;
  mouseScale_.Apply(Dx, Dy);
  Stream().MouseMove(Dx, Dy, Buttons);
}

void TGameHost::Click() {
  if (Passes(0, true)) Stream().Click();
}

void TGameHost::Joystick(int16_t X, int16_t Y, uint32_t Buttons) {
  if (Passes(0, true)) Stream().Joystick(X, Y, Buttons);
}

void TGameHost::ReleaseKeys() {
  pauseKeyDown_ = false;
  muteKeyDown_ = false;
  escapeKeyDown_ = false;
  if (Replaying()) return;  // the demo's keys are the demo's
  for (int Vk = 1; Vk < 256; ++Vk)
    Stream().KeyUp(uint16_t(Vk));
}

uint32_t TGameHost::GameTicks() const { return gameClock_.Now(platform_.WallClock->GetTickCount()); }

void TGameHost::SetPhase(TPauseState::TPhase Before) {
  const bool WasPaused = Before == TPauseState::TPhase::Paused;
  if (WasPaused == pause_.Paused()) return;
  const uint32_t Wall = platform_.WallClock->GetTickCount();
  if (pause_.Paused()) {
    gameClock_.Pause(Wall);
  } else {
    gameClock_.Resume(Wall);
    FrameCount = 0;  // frames count again for the next title
  }
  if (platform_.Shell) platform_.Shell->PauseChanged(pause_.Paused());
  FollowPointer();
}

void TGameHost::FollowPointer() {
  const int Free = pause_.Paused() || !InPlay() ? 1 : 0;
  if (Free == pointerFree_ || !platform_.Shell) return;
  pointerFree_ = Free;
  platform_.Shell->PointerFree(Free != 0);
}

void TGameHost::RequestPause() {
  const auto Before = pause_.Phase();
  pause_.Request();
  SetPhase(Before);
}

void TGameHost::HoldPause() {
  const auto Before = pause_.Phase();
  pause_.Hold();
  SetPhase(Before);
}

void TGameHost::TogglePause() {
  const auto Before = pause_.Phase();
  pause_.Toggle();
  SetPhase(Before);
}

TFrameResult TGameHost::Frame(bool Draw) {
  // Escape ends the run only after a frame is presented, so that frame is completed.
  const auto Ongoing = [this] { return escapeDown_ ? TFrameResult::Quit : TFrameResult::Continue; };
  PollStore();
  FollowPointer();
  if (pause_.Paused()) return Ongoing();
  if (!pause_.Running()) Draw = true;  // the pause keeps this frame's picture
  if (watching_) WatchSteps();
  else Attract();
  const TFrameInput& Input = input_->BeginFrame(frame_ + 1, GameTicks() - start_);
  ++frame_;
  if (Draw) ++FrameCount;
  const bool Running = Draw ? form_->FormPaint(Input) : form_->FormStep(Input);
  if (!Running) return TFrameResult::Terminate;
  TRumble Rumble;
  if (rumble_.AfterFrame(World(), Rumble) && platform_.Shell) platform_.Shell->Rumble(Rumble.Strength, Rumble.Ms);
  NoteGameEnd();
  if (watching_) WatchEnds();
  if (!Draw) return Ongoing();
  const auto Before = pause_.Phase();
  if (pause_.FrameDrawn()) KeepPicture();
  // Over the game's picture, after it was kept: a pause shows its own text.
  if (platform_.HostScreens && !World().StartupPending) {
    if (!screens_) screens_ = std::make_unique<THostScreens>(platform_.ProgramFolder);
    const TPicture& View = form_->Picture();
    screens_->SetTableHint(tableHint_.c_str());
    screens_->DrawOverFrame(World(), View.ViewWidth(), View.ViewHeight(), lastGame_, platform_.Scores, NoticeText(),
                            coveredBottom_, Replaying() ? "" : titleHint_.c_str(),
                            Replaying() ? replayMarker_ : NoReplay, Replaying() ? -1 : chosenRow_);
  }
  if (platform_.Shell) platform_.Shell->Present();
  SetPhase(Before);
  return Ongoing();
}

void TGameHost::RedrawPicture() {
  if (World().StartupPending) return;  // nothing to show yet
  form_->FormRedraw();
  KeepPicture();
}

void TGameHost::Resize(int Width, int Height) {
  if (Height == 0) Height = 1;
  ResizeView(Width, Height);
  form_->SetViewSize(Width, Height);
  // The mouse wraps at the view's edges: the world learns the size through
  // the stream, so a demo replays its resizes (a played demo brings its own).
  TInputStream& In = Stream();
  if (!Replaying() && (Width != In.ViewWidth() || Height != In.ViewHeight())) In.Resize(Width, Height);
}

void TGameHost::ChangeSettings(const TSettings& Settings) {
  if (Settings == platform_.Settings) return;
  platform_.Settings = Settings;
  mouseScale_.Set(Settings.MouseSpeed, Settings.InvertMouse);
  form_->Picture().SetReduceFlashing(Settings.ReduceFlashing);  // drawing only: the world never reads it
  if (platform_.Shell) platform_.Shell->ApplySettings(Settings);
  if (!platform_.Store) return;
  const std::string Problem = platform_.Store->SaveSettings(Settings);
  if (!Problem.empty()) ShowNotice("Settings not saved: " + Problem);
}

std::string TGameHost::GivePlayerName(const std::string& Name) {
  std::string Fault = PlayerNameFault(Name);
  if (!Fault.empty()) return Fault;
  TSettings S = platform_.Settings;
  S.PlayerName = Name;
  S.ShareScores = true;
  ChangeSettings(S);
  return "";
}

void TGameHost::ChangeOption(const TSettings& Changed) {
  const bool AsksName = Changed.ShareScores && !platform_.Settings.ShareScores && Changed.PlayerName.empty();
  if (AsksName && platform_.Shell && platform_.Shell->AskPlayerName()) return;
  ChangeSettings(Changed);
}

void TGameHost::ToggleMute() {
  TSettings S = platform_.Settings;
  S.Muted = !S.Muted;
  ChangeSettings(S);
}


std::string TGameHost::TimerTitle() {
  const int32_t Frames = FrameCount;
  FrameCount = 0;
  if (pause_.Paused()) return PausedTitle;
  if (!platform_.Settings.ShowFps) return WindowTitle;
  // The timer fires every 1000 ms, so FrameCount * 1000 / 1000 is FrameCount itself.
  return std::string(WindowTitle) + "   [" + std::to_string(Frames) + " FPS]";
}

// --- kept games

bool TGameHost::TableKey(uint16_t Vk) {
  if (!World().OnTitleScreen || Replaying() || platform_.Scores.empty()) return false;
  const int Rows = int(std::min<size_t>(platform_.Scores.size(), MaxScores));
  if (Vk == VkUp) chosenRow_ = std::max(0, chosenRow_ - 1);
  else if (Vk == VkDown) chosenRow_ = std::min(Rows - 1, chosenRow_ + 1);
  else if (Vk == VkReturn && chosenRow_ >= 0) Watch(chosenRow_);
  else return false;
  return true;
}

void TGameHost::Watch(int Row, bool AttractMode) {
  if (Row < 0 || size_t(Row) >= platform_.Scores.size()) return;
  if (record_) {
    ShowNotice("Replays are not played while a demo is recorded");
    return;
  }
  const TScoreEntry Game = platform_.Scores[size_t(Row)];
  std::string Text, Problem;
  std::vector<TScriptEvent> Events;
  int Width = 0, Height = 0;
  try {
    if (!platform_.Store || !platform_.Store->ReadReplay(Game.Replay, Text, Problem)) throw EScriptError(0, Problem);
    Events = ParseGameDemo(Text);
    ReadDemoHeader(Text, Width, Height);
  } catch (const EScriptError& e) {
    ShowNotice(std::string("Replay cannot be played: ") + e.what());
    return;
  }
  const int ViewW = form_->Picture().ViewWidth(), ViewH = form_->Picture().ViewHeight();
  // The demo's world at the size it was played in, shown in this view.
  MakeWorld(Width, Height, false, AttractMode);
  form_->SetViewSize(ViewW, ViewH);
  input_->Replay(std::move(Events), DemoMsPerFrame);
  skipTo_ = std::max(0L, ReadDemoGameFrame(Text) - 1);
  watching_ = true;
  attract_ = AttractMode;
  watchSpeed_ = 1;
  attractUntil_ = platform_.WallClock->GetTickCount() + AttractMs;
  char Marker[96];
  std::snprintf(Marker, sizeof Marker, "REPLAY  %d  %s", Game.Score, Game.Date.c_str());
  replayMarker_ = Marker;
}

void TGameHost::EndWatch() {
  if (!watching_) return;
  const int ViewW = form_->Picture().ViewWidth(), ViewH = form_->Picture().ViewHeight();
  MakeWorld(ViewW, ViewH, true, false);
  form_->SetViewSize(ViewW, ViewH);
  watching_ = attract_ = false;
  tableShown_ = false;
  lastGame_ = TGameResult();
  replayMarker_ = "REPLAY";
}

bool TGameHost::PressTitle(int X, int Y) {
  const size_t Rows = platform_.Scores.size();
  if (!platform_.HostScreens || !World().OnTitleScreen || Replaying() || Rows == 0) return false;
  if (chosenRow_ < 0 && !TitleShowsScores(World().TitleFrames, Rows)) return false;  // the logo shows
  const TPicture& View = form_->Picture();
  const int Row = TTitleTableLayout(View.ViewWidth(), View.ViewHeight(), Rows).RowAt(X, Y);
  if (Row < 0) return false;
  if (Row == chosenRow_) Watch(Row);
  else chosenRow_ = Row;
  return true;
}

void TGameHost::WatchKey(uint16_t Vk) {
  if (attract_ || Vk == VkEscape || Vk == VkPause) {
    EndWatch();
    return;
  }
  if (Vk != VkRight && Vk != VkLeft) return;
  watchSpeed_ = Vk == VkRight ? 4 : 1;
  const size_t Speed = replayMarker_.find("  x4");
  if (Speed != std::string::npos) replayMarker_.erase(Speed);
  if (watchSpeed_ == 4) replayMarker_ += "  x4";
}

void TGameHost::WatchSteps() {
  // The run before the game is stepped at once (a picture would show another
  // game); at x4 three frames go by unseen before each one shown.
  for (long Extra = frame_ < skipTo_ ? skipTo_ - frame_ : watchSpeed_ - 1; Extra > 0; --Extra) {
    const TFrameInput& Input = input_->BeginFrame(frame_ + 1, GameTicks() - start_);
    ++frame_;
    if (!form_->FormStep(Input)) return;
    NoteGameEnd();
  }
}

void TGameHost::WatchEnds() {
  // After the demo's last frame its game over runs out to the title.
  const long Last = input_->ReplayLastFrame();
  const bool Done = frame_ >= Last && (World().OnTitleScreen || frame_ > Last + 600);
  if (Done || (attract_ && int32_t(platform_.WallClock->GetTickCount() - attractUntil_) >= 0)) EndWatch();
}

void TGameHost::Attract() {
  if (!platform_.HostScreens || Replaying() || record_) return;
  if (!World().OnTitleScreen) {
    tableShown_ = false;
    chosenRow_ = -1;
    return;
  }
  const uint32_t Now = platform_.WallClock->GetTickCount();
  if (!tableShown_ && TitleShowsScores(World().TitleFrames, platform_.Scores.size())) {
    tableShown_ = true;
    tableSince_ = Now;
  }
  if (!tableShown_ || platform_.Scores.front().Replay.empty()) return;
  const uint32_t Since = int32_t(lastKey_ - tableSince_) > 0 ? lastKey_ : tableSince_;
  if (int32_t(Now - Since) >= int32_t(AttractIdleMs)) Watch(0, true);
}

// --- the host's own screens

void TGameHost::NoteGameEnd() {
  const bool OnTitle = World().OnTitleScreen != 0;
  if (onTitle_ && !OnTitle) gameStart_ = frame_;
  onTitle_ = OnTitle;
  const bool Over = !World().OnTitleScreen && World().GameOverTimer > 0;
  const bool Began = Over && !gameOver_;
  gameOver_ = Over;
  if (!Began) return;
  TScoreEntry Game;
  Game.Score = World().Score;
  Game.Level = std::clamp(World().Level + 1, 1, 10);
  if (platform_.Today) Game.Date = platform_.Today();
  lastGame_ = TGameResult();
  lastGame_.Score = Game.Score;
  lastGame_.Level = Game.Level;
  lastGame_.Replayed = Replaying();
  // A replayed game was scored when it was played; one that scored nothing takes no place.
  if (lastGame_.Replayed || Game.Score <= 0) return;
  Game.Replay = KeepReplay();
  if (sharing_) sharing_->GameEnded(platform_.Settings, Game.Replay, Game.Score);
  const long Number = ++gamesEnded_;
  if (platform_.Store) {
    platform_.Store->AddScore(Game, [this, Game, Number](const TScoreSave& Save) { ScoreSaved(Game, Number, Save); });
    return;
  }
  lastGame_.Place = InsertScore(platform_.Scores, Game);
  // Place 1 lies below every equal score, so it beats every game before it.
  lastGame_.NewHighScore = lastGame_.Place == 1;
}

std::string TGameHost::KeepReplay() {
  if (!games_ || !platform_.Store) return "";
  if (games_->Over()) {
    ShowNotice("Replay not kept: the run is longer than a demo may be");
    return "";
  }
  // The whole run from its first frame (the world's dice roll on from the
  // start), with the frame where this game began for a watcher to skip to.
  const std::string& All = games_->Text();
  const size_t HeaderEnd = All.find('\n') + 1;
  std::string Text;
  Text.reserve(All.size() + 64);
  Text.append(All, 0, HeaderEnd).append(DemoGameLine(gameStart_)).append("\n").append(All, HeaderEnd, std::string::npos);
  std::string Problem;
  const std::string Name = platform_.Store->KeepReplay(Text, Problem);
  if (!Problem.empty()) ShowNotice("Replay not kept: " + Problem);
  return Name;
}

void TGameHost::ScoreSaved(const TScoreEntry& Game, long Number, const TScoreSave& Save) {
  // Beats every game kept before it, saved or not.
  TScoreTable Before = platform_.Scores;
  const bool Best = InsertScore(Before, Game) == 1;
  platform_.Scores = Save.Table;
  if (!Save.Saved) ShowNotice("Score not saved: " + Save.Problem);
  if (Number != gamesEnded_ || lastGame_.Replayed) return;  // another game has ended since
  // Its place in the kept table, below any equal game that came before it;
  // a game that was not saved has none.
  lastGame_.Place = 0;
  for (size_t i = Save.Saved ? Save.Table.size() : 0; i-- > 0;)
    if (Save.Table[i] == Game) {
      lastGame_.Place = int(i) + 1;
      break;
    }
  lastGame_.NewHighScore = Save.Saved ? lastGame_.Place == 1 : Best;
}

void TGameHost::ChooseOption(uint16_t Vk) {
  TSettings Changed = platform_.Settings;
  if (options_.KeyDown(Vk, Changed)) ChangeOption(Changed);
}

void TGameHost::KeepPicture() {
  // The frame is still in the back buffer: shown or not, it is what the player saw last.
  const TPicture& View = form_->Picture();
  pausePicture_->Capture(GL_BACK, View.ViewWidth(), View.ViewHeight());
}

void TGameHost::DrawPauseScreen(int Width, int Height, float PixelsPerPoint) {
  if (!screens_) screens_ = std::make_unique<THostScreens>(platform_.ProgramFolder);
  pauseWidth_ = Width;
  pauseHeight_ = Height;
  pausePoint_ = PixelsPerPoint;
  if (!screens_->HasFont()) {
    pausePicture_->Draw(Width, Height);  // the sign in block letters
    return;
  }
  pausePicture_->DrawPicture(Width, Height);
  screens_->DrawPaused(PauseLayout(), options_, platform_.Settings, platform_.EscapeQuits, NoticeText());
}

TPauseLayout TGameHost::PauseLayout() const {
  const TPicture& View = form_->Picture();
  const int W = pauseWidth_ > 0 ? pauseWidth_ : View.ViewWidth(), H = pauseHeight_ > 0 ? pauseHeight_ : View.ViewHeight();
  return TPauseLayout(W, H, options_.Count(), int(GameKeys(platform_.EscapeQuits).size()), pausePoint_);
}

bool TGameHost::Press(int X, int Y) {
  if (!pause_.Paused()) return PressTitle(X, Y);
  const TPauseTap Tap = PauseLayout().Hit(X, Y);
  switch (Tap.What) {
    case TPauseHit::Nothing:
      return false;
    case TPauseHit::PlayOn:
      TogglePause();
      return false;
    case TPauseHit::Row:
      options_.Choose(Tap.Row);
      return true;
    case TPauseHit::Less:
    case TPauseHit::More: {
      options_.Choose(Tap.Row);
      TSettings Changed = platform_.Settings;
      if (options_.Step(Tap.What == TPauseHit::More ? 1 : -1, Changed)) ChangeOption(Changed);
      return true;
    }
  }
  return false;
}

void TGameHost::ShowNotice(const std::string& Text) {
  notice_ = Text;
  noticeUntil_ = platform_.WallClock->GetTickCount() + NoticeMs;
}

const std::string& TGameHost::NoticeText() const {
  static const std::string None;
  if (notice_.empty() || int32_t(noticeUntil_ - platform_.WallClock->GetTickCount()) <= 0) return None;
  return notice_;
}

void TGameHost::GlObjectsLost() {
  form_->Picture().ReleaseTitle();
  pausePicture_->Release();  // a lost context took its texture with it
}

void TGameHost::ReleaseScreens() {
  if (screens_) screens_->Release();
  pausePicture_->Release();
}
