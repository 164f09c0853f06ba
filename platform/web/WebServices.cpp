#include "WebServices.h"

#include <emscripten.h>

#include <cstdio>

const char* const PageCaption = "Skyrend";
const char* const PageTitle = "Skyrend";
const char* const PagePausedTitle = "Skyrend (paused)";

uint32_t TWebWallClock::GetTickCount() {
  // Wrapping at 32 bits as the tick count does.
  return uint32_t(uint64_t(emscripten_get_now()));
}

void ShowPageMessage(const std::string& Caption, const std::string& Text) {
  std::fprintf(stderr, "%s\n", Text.c_str());
  EM_ASM(
      {
        var Box = document.getElementById('messages');
        if (!Box) return;
        var Line = document.createElement('p');
        Line.textContent = UTF8ToString($0) + ': ' + UTF8ToString($1);
        Box.appendChild(Line);
        Box.hidden = false;
      },
      Caption.c_str(), Text.c_str());
}

void ShowPageStatus(const char* Text) {
  EM_ASM(
      {
        var Line = document.getElementById('status');
        if (Line) Line.textContent = UTF8ToString($0);
      },
      Text);
}

void ShowPagePaused(bool Paused) {
  EM_ASM({ document.body.classList.toggle('paused', !!$0); }, Paused);
}

void ShowFrameRate(int Frames, long Steps, long Pictures, uint32_t GameTicks, long GivenUpMs) {
  EM_ASM(
      {
        var Canvas = document.getElementById('canvas');
        if (!Canvas) return;
        Canvas.setAttribute('data-fps', String($0));
        Canvas.setAttribute('data-steps', String($1));
        Canvas.setAttribute('data-pictures', String($2));
        Canvas.setAttribute('data-clock', String($3 >>> 0));
        Canvas.setAttribute('data-given-up', String($4));
      },
      Frames, Steps, Pictures, GameTicks, GivenUpMs);
}

void MarkFirstPicture() {
  EM_ASM({
    if (window.performance && performance.mark) performance.mark('skyrend-first-frame');
  });
}
