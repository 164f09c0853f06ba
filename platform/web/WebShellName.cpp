// The player's name for the score board, asked in the page's own text field
// (window.SkyrendName, skyrend-page.js) while the game stays paused: the host
// judges what was typed, and the field stays open with the reason until a
// name is taken or the player cancels.
#include <emscripten.h>

#include <cstdlib>
#include <string>

#include "WebShell.h"

namespace {

// Opens the field; false on a page without one.
EM_JS(int, OpenNameField, (), {
  if (!window.SkyrendName) return 0;
  window.SkyrendName.Open();
  return 1;
});

// 0 while the player types, 1 with the text given (in *Text), 2 cancelled.
EM_JS(int, TakeNameAnswer, (char** Text), {
  var N = window.SkyrendName;
  if (!N || N.Answer === null) return 0;
  var Answer = N.Answer;
  N.Answer = null;
  if (Answer === false) return 2;
  HEAPU32[Text >> 2] = allocateUTF8(Answer);
  return 1;
});

// Closes the field, or keeps it open saying Fault.
EM_JS(void, AnswerNameField, (const char* Fault), {
  var Text = UTF8ToString(Fault);
  if (Text) window.SkyrendName.Refuse(Text);
  else window.SkyrendName.Close();
});

}  // namespace

bool TWebShell::AskPlayerName() {
  naming_ = OpenNameField() != 0;
  return naming_;
}

void TWebShell::TakePlayerName() {
  if (!naming_) return;  // a flag read a display frame: nothing is allocated until an answer comes
  char* Text = nullptr;
  const int Answer = TakeNameAnswer(&Text);
  if (Answer == 0) return;
  std::string Fault;
  if (Answer == 1) {
    Fault = host_->GivePlayerName(Text);
    std::free(Text);
  }
  AnswerNameField(Fault.c_str());
  if (!Fault.empty()) return;
  naming_ = false;
  pausedDirty_ = true;  // the row shows sharing on, or still off
}
