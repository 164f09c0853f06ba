// A lost WebGL context: the world goes on unseen (frames step without
// drawing) until the browser gives the context back; then the GL subset makes
// again what WebGL held and the picture returns, or the player is told to reload.
#include "GlRestore.h"
#include "WebServices.h"
#include "WebShell.h"

namespace {

const char* const LostText = "The picture was lost: waiting for the browser to give it back.";
const char* const RestoreFailedText = "The game's picture could not be made again. Reload the page to play on.";

}  // namespace

void TWebShell::ContextLost() {
  if (!running_) return;
  contextLost_ = true;
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
  ShowPageStatus(host_->Paused() ? PausedLine() : PlayingLine());
  if (host_->Paused()) {
    host_->RedrawPicture();  // the world as it stands, kept again under the sign
    pausedDirty_ = true;
  }
}
