// The desktop's way to the score board: HTTP or HTTPS requests made one at a
// time on a thread of their own, their answers handed back at the game's Poll.
#pragma once
#include <memory>

#include "BoardTransport.h"

// Null where the program was built without an HTTP client: nothing is sent.
std::unique_ptr<IBoardTransport> MakeBoardTransport();
