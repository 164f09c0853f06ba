// How the game reaches the score board: a thin backend per shell (a thread
// with an HTTP client on the desktop, fetch in the page). Requests never
// block the caller; their answers are handed back from Poll, on the caller's
// thread, so the sharing policy (ScoreSharing.h) needs no locks.
#pragma once
#include <functional>
#include <string>

struct TBoardAnswer {
  int Status = 0;     // the HTTP status; 0 when the board could not be reached
  std::string Body;   // the answer's body (JSON)
  std::string Error;  // why the board could not be reached
};

class IBoardTransport {
 public:
  virtual ~IBoardTransport() = default;
  // Asks Board (http(s)://host[:port][/prefix]) for Path: a POST of the JSON
  // Body, or a GET when Body is empty. Done gets the answer from a later Poll.
  virtual void Request(const std::string& Board, const std::string& Path, const std::string& Body,
                       std::function<void(const TBoardAnswer&)> Done) = 0;
  // Calls Done for each answer that has come. Never blocks: once a frame.
  virtual void Poll() = 0;
};
