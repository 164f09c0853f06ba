// A build without cpp-httplib: the desktop game sends no scores.
#include "HttpBoardTransport.h"

std::unique_ptr<IBoardTransport> MakeBoardTransport() { return nullptr; }
