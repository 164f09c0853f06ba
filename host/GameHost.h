// The game host: the form with its services, the one input path, pause, the
// frame step and the window title. Every shell (the desktop window, the page,
// the headless host) makes one, turns what it receives into events of the
// script's kinds and hands them over here; the input stream records them when
// recording, at this one point, and gives the world each frame's input. A
// replayed demo feeds the same stream from its file. No SDL and no browser here.
#pragma once
#include <cstdint>
#include <functional>
#include <ostream>
#include <memory>
#include <string>
#include <vector>

#include "InputMapping.h"
#include "MouseScale.h"
#include "OptionsMenu.h"
#include "PausableClock.h"
#include "PauseLayout.h"
#include "PauseState.h"
#include "RumbleWatch.h"
#include "ScriptFormat.h"
#include "Scores.h"
#include "Settings.h"
#include "Services.h"
#include "SilentSound.h"

class TFormMain;
class TInputPath;
class TInputStream;
class TPicture;
struct TWorldState;
class THostScreens;
class TPauseScreen;
class TGameRecording;
class TScoreSharing;
class IBoardTransport;

// What a shell does around the host's frames and pauses.
class IHostShell {
 public:
  virtual ~IHostShell() = default;
  // Shows the frame just drawn (swaps buffers).
  virtual void Present() = 0;
  // The pause began or ended: hold or resume the sound.
  virtual void PauseChanged(bool Paused) = 0;
  // The pointer is the player's (shown and free: the title's table and the
  // pause screen take clicks) or, in play, the game's (hidden, held in the
  // window, read as motion).
  virtual void PointerFree(bool /*Free*/) {}
  // The player changed settings in the game: apply what a running window can
  // (volume, mute, vsync); the rest waits for the next start.
  virtual void ApplySettings(const TSettings&) {}
  // Sharing scores was turned on without a player name: asks the player for
  // one, who answers through TGameHost::GivePlayerName while the game stays
  // paused. False where the shell cannot ask (the desktop keeps the name in
  // its settings file): sharing then turns on as it is.
  virtual bool AskPlayerName() { return false; }
  // Rumbles a game controller that can: Strength 0..100 for Ms milliseconds
  // (a hit on the player, the game over).
  virtual void Rumble(int /*Strength*/, int /*Ms*/) {}
};

// How a game's score fared in the player's store.
struct TScoreSave {
  TScoreTable Table;    // the table as kept now: a game not saved is not in it
  bool Saved = false;   // the game is in the kept table (or did not reach it)
  std::string Problem;  // why it was not saved, for the player's eyes
};

// Where the player's settings and scores are kept between runs (a file,
// localStorage).
class IPlayerStore {
 public:
  virtual ~IPlayerStore() = default;
  // "" when kept, else why not, for the player's eyes.
  virtual std::string SaveSettings(const TSettings& Settings) = 0;
  // Merges the game into the table as it is kept now (another program may
  // have added to it). Done is called once with the outcome, now or later
  // (the page waits for the browser's lock).
  virtual void AddScore(const TScoreEntry& Game, std::function<void(const TScoreSave&)> Done) = 0;
  // A save that waits (for a lock held elsewhere) goes on: a Done that is
  // due is called from here. Never blocks; called once a frame.
  virtual void Poll() {}
  // Ends a save under way before the host goes, within the lock's wait.
  virtual void FinishSaves() {}
  // Keeps Text as the demo of the game that just ended, before AddScore: its
  // name for the table's line, or "" (Problem says why, when it is not that
  // this store keeps no demos).
  virtual std::string KeepReplay(const std::string& /*Text*/, std::string& /*Problem*/) { return ""; }
  // The list of games still to send to the score board (see ScoreSharing.h):
  // "" without one; Write false with the reason.
  virtual std::string ReadUnsent() { return ""; }
  virtual bool WriteUnsent(const std::string& /*Text*/, std::string& Problem) {
    Problem = "nothing is kept here";
    return false;
  }
  // The demo kept under Name (a table line's fourth field); false with the reason.
  virtual bool ReadReplay(const std::string& /*Name*/, std::string& /*Text*/, std::string& Problem) {
    Problem = "no replays are kept";
    return false;
  }
};

// What a shell gives the host: the platform's parts of the form's services.
struct THostPlatform {
  ITickSource* WallClock = nullptr;  // milliseconds, never paused; the game's clock is made from it
  ISoundService* Sound = nullptr;
  IMessageService* Messages = nullptr;
  ICursorService* Cursor = nullptr;  // the real pointer's visibility; may be null
  IHostShell* Shell = nullptr;       // may be null: frames are then not shown
  std::string ProgramFolder;
  int Width = 1024, Height = 768;   // the view at start
  // The desktop quits on Escape; a page has nothing to quit to, so it pauses.
  bool EscapeQuits = true;
  TSettings Settings;       // as read at start, with the command line's overrides
  TScoreTable Scores;       // as read at start: HighScore starts at the best
  IPlayerStore* Store = nullptr;  // null keeps nothing (the simulator, tests)
  std::function<std::string()> Today;  // the local date as YYYY-MM-DD, for a score; may be empty
  // The host's own screens over the game's picture (game over, the title's
  // table, notices): on in the desktop and the page, off where a picture must
  // be the game's alone (the simulator, the benchmark, tests).
  bool HostScreens = false;
  // The options list the window's own settings (multisampling, vsync, full
  // screen, window size): the desktop's, not the page's.
  bool WindowSettings = true;
  // Every game recorded in memory, so that one that ends with points is kept
  // as a replay in the store: the desktop and the page.
  bool RecordGames = false;
  // How the score board is reached; null sends nothing (see ScoreSharing.h).
  IBoardTransport* Board = nullptr;
};

// Virtual-key codes the host itself acts on.
constexpr uint16_t VkEscape = 27;
constexpr uint16_t VkPause = 80;  // P
constexpr uint16_t VkMute = 77;   // M: sound off and on, at any time; the game never sees it

// How long a notice stays on screen, by the wall clock (it shows while paused
// too): long enough to read a failure's reason.
constexpr uint32_t NoticeMs = 4000;
// The attract mode: the best game plays after this long without a key once
// the title has shown its table, for at most AttractMs.
constexpr uint32_t AttractIdleMs = 30000, AttractMs = 60000;

// The title's table's line where a keyboard and a mouse choose a game.
constexpr const char* TableHint = "Up / Down or a click choose a game, Return or a second click watches it";

// The window title, "Skyrend", and "Skyrend [PAUSED]" while paused.
extern const char* const WindowTitle;
extern const char* const PausedTitle;

// The game's mouse buttons (shift bits) from the buttons a shell reports.
uint32_t MouseButtons(bool Left, bool Right);


// Creates the demo file to record into: std::runtime_error with the reason
// (a FIFO or device is refused, never waited on). Made before the window and the first frame, so a bad path costs no game.
std::unique_ptr<std::ostream> CreateDemoFile(const std::string& Path);

// What a frame asks of the shell.
enum class TFrameResult { Continue, Quit, Terminate };

class TGameHost {
 public:
  // Makes the form (the world's FormCreate runs) on the input path's services:
  // a clock set once per frame and the virtual pointer.
  explicit TGameHost(const THostPlatform& Platform);
  ~TGameHost();
  TGameHost(const TGameHost&) = delete;
  TGameHost& operator=(const TGameHost&) = delete;

  // --- demos, chosen before the first frame
  // Records the stream into Out (Name names it in messages), after a demo
  // header with the view size when Header is set.
  void Record(std::unique_ptr<std::ostream> Out, const std::string& Name, bool Header = true);
  // Plays these events instead of live input (a demo, the simulator, tests).
  void Replay(std::vector<TScriptEvent> Events, uint32_t MsPerFrame = DemoMsPerFrame);
  bool Replaying() const;
  // Playback has shown the demo's last frame.
  bool ReplayFinished() const;
  // Writes out a recording; false (with a message on stderr) when it failed.
  bool CloseRecording();

  // --- live input from a shell. While a demo plays or the game is paused it
  // does not reach the game; P pauses and plays on; Escape during play
  // pauses, and elsewhere (paused, the title, the game over, a demo) quits
  // after the frame or, where Escape does not quit, pauses.
  void KeyDown(uint16_t Vk);  // a press of a key already down is an auto-repeat
  void KeyUp(uint16_t Vk);
  void MouseMotion(int Dx, int Dy, uint32_t Buttons);
  void Click();
  // Joystick 1 as it stands before a frame; reaches the stream when it changed.
  void Joystick(int16_t X, int16_t Y, uint32_t Buttons);
  // The window lost the keyboard: every held key is let go.
  void ReleaseKeys();

  // --- pause
  void RequestPause();
  void TogglePause();
  // Paused at once and held there, no picture kept (the page's picture is
  // gone); after ReleasePause the pause stays until the player plays on.
  void HoldPause();
  void ReleasePause() { pause_.Release(); }
  const TPauseState& Pause() const { return pause_; }
  bool Paused() const { return pause_.Paused(); }
  // Escape was pressed where it quits (paused, the shell ends at once).
  bool QuitRequested() const { return escapeDown_; }

  // One frame: the frame's input and clock from the stream, FormPaint (the
  // world's step and its picture), then the shell keeps
  // the picture (when a pause begins) and presents it. Without Draw the
  // frame steps the world but draws and presents nothing (a machine that
  // fell behind), unless a pause waits for its picture. Nothing while paused.
  TFrameResult Frame(bool Draw = true);
  // The picture of the world as it stands, drawn again without a step and
  // kept for the pause screen (a paused window was resized).
  void RedrawPicture();
  // The game's clock now: the wall clock less the time spent paused.
  uint32_t GameTicks() const;

  // A new view size: viewport and projection (height 0 taken as 1), and the form's.
  void Resize(int Width, int Height);
  // The title once a second: the game's name, the pause, or with the setting
  // show_fps the frames of the last second.
  std::string TimerTitle();

  // --- the player's settings and scores
  const TSettings& Settings() const { return platform_.Settings; }
  // Settings changed in the game: applied at once where they can be, and kept.
  void ChangeSettings(const TSettings& Settings);
  // The name the shell asked for: kept with sharing turned on, or why it
  // cannot be a name (nothing changes then).
  std::string GivePlayerName(const std::string& Name);
  const TScoreTable& Scores() const { return platform_.Scores; }
  // The last game that ended, for the game-over screen.
  const TGameResult& LastGame() const { return lastGame_; }
  // Sound off or on (M), kept as the saved `muted`.
  void ToggleMute();
  // A score save that waits for the store's lock goes on (each frame does
  // this, paused or not; a paused shell calls it while it waits).
  // The score board's answers come in here too.
  void PollStore();


  // --- kept games
  // Plays the demo of the table's row Row from the title (Attract: silent,
  // for at most AttractMs); a demo that cannot be played is a notice.
  void Watch(int Row, bool Attract = false);
  bool Watching() const { return watching_; }
  void EndWatch();
  int ChosenRow() const { return chosenRow_; }

  // --- the host's own screens (HostScreens.h)
  // The pause screen over the Width x Height view: the picture kept when the
  // pause began, with the options and the keys over it. PixelsPerPoint: the
  // view's pixels per point (a page's CSS pixel), which sizes rows for a
  // finger and text for the eye.
  void DrawPauseScreen(int Width, int Height, float PixelsPerPoint = 1);
  // Where the pause screen lies as it was last drawn (or would be, in the view).
  TPauseLayout PauseLayout() const;
  // A click or a tap at (X, Y) in the view's pixels, y down from the top.
  // While paused it picks and changes the options or plays on (the game never
  // sees it); true when the pause screen must be drawn again. On the title's
  // table it chooses a row, and a second press on the chosen row watches its
  // game: true when it did (the game never sees it either).
  bool Press(int X, int Y);
  const TOptionsMenu& Options() const { return options_; }
  // A short line at the foot of the screen ("saved picture ..."), for about two seconds.
  void ShowNotice(const std::string& Text);
  // The bottom Pixels of the view are under a shell's own controls (a
  // phone's touch stick and fire button): notices are shown above them.
  void SetCoveredBottom(int Pixels) { coveredBottom_ = Pixels; }
  // The title's line under "PRESS Z TO PLAY": the keys for the options and
  // for quitting, or what a touch screen offers instead.
  void SetTitleHint(std::string Hint) { titleHint_ = std::move(Hint); }
  // The table's line under its rows: how to choose a game and watch it (a
  // touch screen taps).
  void SetTableHint(std::string Hint) { tableHint_ = std::move(Hint); }
  // The notice on show now, or "".
  const std::string& NoticeText() const;
  // The host's screens free their GL objects; call while the context is current.
  void ReleaseScreens();
  // The GL context was lost and made again: what the picture kept in it (the
  // title's text) is drawn anew.
  void GlObjectsLost();

  // The world as it stands, to read: everything that changes it goes through the stream.
  const TWorldState& World() const;
  // The picture's own settings (the title's kept text, the hit tint).
  TPicture& Picture();
  TVirtualPointer& Pointer();
  // The input stream itself, for a source that makes game input of its own (the soak, the tools' staging).
  TInputStream& Stream();
  // The frame that input belongs to now (1 before the first frame).
  long FrameNumber() const { return frame_ + 1; }
  // Frames drawn since the last title (steps without pictures do not count).
  int32_t FrameCount = 0;
  // Times the game hid the cursor: each new game does so once.
  long CursorHides() const;

 private:
  // Live input: true when the event reaches the stream after the shell's rules.
  bool Passes(uint16_t Vk, bool Down);
  // A game is under way: not the title, the game over or a demo playing.
  bool InPlay() const;
  // Tells the shell when the pointer changes hands: the player's while paused
  // or out of play, the game's in play.
  void FollowPointer();
  void SetPhase(TPauseState::TPhase Before);
  // The host's screens: the game that just ended into the table, and the
  // choices of the options while paused.
  void NoteGameEnd();
  // A new world on a new input path, at the title: live (recorded when every
  // game is) or for a demo to play, with sound or without.
  void MakeWorld(int Width, int Height, bool Live, bool Silent);
  // The title's table: Up/Down choose a row, Return watches it; true when the key was the table's.
  bool TableKey(uint16_t Vk);
  bool PressTitle(int X, int Y);
  // Keys while a kept game plays: Right x4, Left x1, Escape or P (any key in
  // the attract mode) back to the title.
  void WatchKey(uint16_t Vk);
  // Before and after a frame while watching: the frames skipped to the game's
  // start or at x4, and the end of the replay.
  void WatchSteps();
  void WatchEnds();
  // The attract mode's turn: the best game after 30 s without a key.
  void Attract();
  // The store's word on a game that ended (Number counts the games ended).
  void ScoreSaved(const TScoreEntry& Game, long Number, const TScoreSave& Save);
  // The game that just ended as a demo, kept by the store: its name or "".
  std::string KeepReplay();
  void ChooseOption(uint16_t Vk);
  // An option the player changed; sharing turned on without a name waits for one.
  void ChangeOption(const TSettings& Changed);
  // Keeps the frame just drawn, before it is shown, for the pause screen.
  void KeepPicture();

  THostPlatform platform_;
  TPausableClock gameClock_;
  TPauseState pause_;
  std::unique_ptr<TInputPath> input_;  // before the form, which holds its clock and cursor
  std::unique_ptr<TFormMain> form_;
  std::string recordName_;
  std::unique_ptr<std::ostream> record_;
  std::unique_ptr<TGameRecording> games_;
  std::unique_ptr<TScoreSharing> sharing_;  // with a board and a store
  TSilentSound silent_;  // the attract mode's replay plays with the sound off
  int chosenRow_ = -1;       // the table's row chosen on the title, -1 for none
  int pointerFree_ = -1;     // as the shell was last told: 1 free, 0 the game's, -1 not yet
  bool watching_ = false, attract_ = false;
  int watchSpeed_ = 1;       // frames stepped a frame shown
  long skipTo_ = 0;          // frames stepped without a picture, up to the game's start
  uint32_t attractUntil_ = 0;  // wall clock, ms
  bool tableShown_ = false;  // the title has shown its table since it began
  uint32_t tableSince_ = 0, lastKey_ = 0;  // wall clock: the table first showed on this title; the last key
  long gameStart_ = 0;     // the frame the game now played began in
  bool onTitle_ = true;    // the world was on the title after the last frame
  uint32_t start_ = 0;  // the game's clock when the form was made
  TGameResult lastGame_;
  long gamesEnded_ = 0;  // a late word from the store belongs to the game it names
  // The player's mouse speed and inversion, the rumble and the notice.
  TMouseScale mouseScale_;
  TRumbleWatch rumble_;
  bool muteKeyDown_ = false;  // M is held: its auto-repeat does not toggle again
  bool gameOver_ = false;  // the game-over phase ran at the end of the last frame
  TOptionsMenu options_;
  std::unique_ptr<THostScreens> screens_;
  std::unique_ptr<TPauseScreen> pausePicture_;  // the last picture, kept when a pause begins
  int pauseWidth_ = 0, pauseHeight_ = 0;  // the view the pause screen was last drawn in
  float pausePoint_ = 1;                  // and its pixels per point
  std::string notice_;
  std::string titleHint_;
  std::string tableHint_ = TableHint;
  std::string replayMarker_ = "REPLAY";  // on screen while a demo plays
  uint32_t noticeUntil_ = 0;  // wall clock, ms
  int coveredBottom_ = 0;     // view pixels under the shell's controls
  long frame_ = 0;      // frames drawn
  bool escapeDown_ = false;    // Escape was pressed where it quits: the run ends
  bool pauseKeyDown_ = false;  // P is held: its auto-repeat does not toggle again
  bool escapeKeyDown_ = false;  // Escape is held: its auto-repeat does not quit the pause it made
};
