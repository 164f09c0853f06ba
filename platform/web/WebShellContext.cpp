// A lost WebGL context: the game pauses at once (no step, no sound, no input
// reaches it: played unseen, the player could be hit blind) and no key plays
// on until the browser gives the context back; then the GL subset makes again
// what WebGL held, the picture returns under the pause sign and the player
// plays on. If it cannot be made again, the player is told to reload.
#include "GlRestore.h"
#include "WebServices.h"
#include "WebShell.h"

namespace {

const char* const LostText = "The picture was lost: the game is paused until the browser gives it back.";
const char* const RestoreFailedText = "The game's picture could not be made again. Reload the page to play on.";

}  // namespace

void TWebShell::ContextLost() {
  if (!running_) return;
  contextLost_ = true;
  host_->ReleaseKeys();  // their key-ups may come while the game waits
  host_->HoldPause();
  ShowPageStatus(LostText);
}

void TWebShell::ContextRestored() {
  if (!running_ || !contextLost_) return;
  if (!RestoreGlObjects()) {
    ShowPageMessage(PageCaption, RestoreFailedText);
    return;
  }
  contextLost_ = false;
  // Their textures went with the old context.
  host_->GlObjectsLost();
  host_->ReleasePause();
  ShowPageStatus(PausedLine());
  host_->RedrawPicture();  // the world as it stands, kept again under the sign
  pausedDirty_ = true;
}
