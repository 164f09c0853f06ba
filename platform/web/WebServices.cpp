#include "WebServices.h"

#include <emscripten.h>

#include <cstdio>

const char* const PageCaption = "Skyrend";

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

void TWebCursor::ShowCursor(bool Visible) {
  EM_ASM(
      {
        var Canvas = document.getElementById('canvas');
        if (Canvas) Canvas.style.cursor = $0 ? 'default' : 'none';
      },
      Visible);
}
