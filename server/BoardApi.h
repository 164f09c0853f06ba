// The board's HTTP side: the JSON API under /api/v1/, the board page at /,
// and the game page at /play/ when one was given; with the bounds every
// request is held to (body size, unpacked size, rate per address, CORS only
// for listed origins).
#pragma once
#include <functional>
#include <map>
#include <string>

#include "ServerOptions.h"
#include "Storage.h"

namespace httplib {
class Server;
}

// The largest body a request may send, and the most it may unpack to.
constexpr size_t MaxBodyBytes = 2 * 1024 * 1024;
constexpr size_t MaxUnpackedBytes = 32 * 1024 * 1024;

// A file served as it was read at start: nothing a request names reaches the
// file system.
struct TServedFile {
  std::string Type;
  std::string Body;
};

// Sets up Server's routes. GameSent is called after a game is queued (to
// wake a worker). Page holds the game page's files by name.
void MountBoard(httplib::Server& Server, IStorage& Storage, const TServerOptions& Options,
                std::map<std::string, TServedFile> Page, std::function<void()> GameSent);
