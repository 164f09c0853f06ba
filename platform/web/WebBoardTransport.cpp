#include "WebBoardTransport.h"

#include <emscripten.h>

#include <cstdlib>

namespace {

// Starts the request; its answer is kept in the page under Id.
EM_JS(void, StartBoardFetch, (const char* Url, const char* Body, int Id), {
  var Answers = Module.SkyrendBoardAnswers = Module.SkyrendBoardAnswers || {};
  var Text = UTF8ToString(Body);
  var Init = Text ? {method: 'POST', headers: {'Content-Type': 'application/json'}, body: Text} : {cache: 'no-store'};
  fetch(UTF8ToString(Url), Init)
      .then(function(R) { return R.text().then(function(T) { Answers[Id] = {status: R.status, body: T}; }); })
      .catch(function(E) { Answers[Id] = {status: 0, body: String(E && E.message || E)}; });
});

// The answer kept under Id (taken), or null while it has not come.
EM_JS(char*, TakeBoardAnswer, (int Id, int* Status), {
  var Answers = Module.SkyrendBoardAnswers || {};
  var A = Answers[Id];
  if (!A) return 0;
  delete Answers[Id];
  HEAP32[Status >> 2] = A.status;
  return allocateUTF8(A.body);
});

// The page's origin when it is served under /play/ over HTTP(S), or null.
EM_JS(char*, ServingBoard, (), {
  var L = window.location;
  if ((L.protocol !== 'http:' && L.protocol !== 'https:') || L.pathname.indexOf('/play/') !== 0) return 0;
  return allocateUTF8(L.origin);
});

}  // namespace

void TWebBoardTransport::Request(const std::string& Board, const std::string& Path, const std::string& Body,
                                 std::function<void(const TBoardAnswer&)> Done) {
  std::string Base = Board;
  while (!Base.empty() && Base.back() == '/') Base.pop_back();
  const int Id = nextId_++;
  waiting_.push_back({Id, std::move(Done)});
  StartBoardFetch((Base + Path).c_str(), Body.c_str(), Id);
}

void TWebBoardTransport::Poll() {
  for (size_t i = 0; i < waiting_.size();) {
    int Status = 0;
    char* Text = TakeBoardAnswer(waiting_[i].Id, &Status);
    if (!Text) {
      ++i;
      continue;
    }
    TBoardAnswer Answer;
    Answer.Status = Status;
    (Status ? Answer.Body : Answer.Error) = Text;
    std::free(Text);
    auto Done = std::move(waiting_[i].Done);
    waiting_.erase(waiting_.begin() + long(i));
    Done(Answer);  // may ask again: waiting_ grows behind i
  }
}

std::string TWebBoardTransport::OwnBoard() {
  char* Origin = ServingBoard();
  if (!Origin) return "";
  std::string Board = Origin;
  std::free(Origin);
  return Board;
}
