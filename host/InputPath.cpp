#include "InputPath.h"

TInputPath::TInputPath(int Width, int Height, ICursorService* Next)
    : width_(Width), height_(Height), cursor_(Width, Height, Next), stream_(input_, cursor_, clock_, Width, Height) {}

TWorldServices TInputPath::WorldServices() {
  TWorldServices S;
  S.Ticks = &clock_;
  S.Cursor = &cursor_;
  S.ScreenWidth = width_;
  S.ScreenHeight = height_;
  return S;
}

void TInputPath::Replay(std::vector<TScriptEvent> Events, uint32_t MsPerFrame) {
  replay_ = std::make_unique<TReplaySource>(std::move(Events), MsPerFrame);
}

const TFrameInput& TInputPath::BeginFrame(long Frame, uint32_t LiveTick) {
  return stream_.BeginFrame(replay_ ? replay_->Feed(Frame, stream_) : LiveTick);
}
