// The page's way to the score board: fetch, whose answers wait in the page
// until the game's Poll takes them between frames.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "BoardTransport.h"

class TWebBoardTransport : public IBoardTransport {
 public:
  void Request(const std::string& Board, const std::string& Path, const std::string& Body,
               std::function<void(const TBoardAnswer&)> Done) override;
  void Poll() override;

  // The board the page offers: its own site when the score board serves it
  // (under /play/), else "".
  static std::string OwnBoard();

 private:
  struct TWaiting {
    int Id;
    std::function<void(const TBoardAnswer&)> Done;
  };
  std::vector<TWaiting> waiting_;
  int nextId_ = 1;
};
