#include "ServerOptions.h"

#include <cerrno>
#include <cstdlib>

const char* const ServerUsage =
    "usage: skyrend-server [OPTION]...\n"
    "Serves the score board: takes games sent with their demo, replays each and ranks the score the\n"
    "replay reaches, and serves the board page at / and the JSON API under /api/v1/.\n"
    "\n"
    "  --listen ADDRESS     the address to listen on (default 127.0.0.1; 0.0.0.0 for every one)\n"
    "  --port N             the port (default 8420)\n"
    "  --database WHERE     a SQLite file (default skyrend-board.sqlite, created when missing), or\n"
    "                       postgresql://USER@HOST/NAME for a board several machines share\n"
    "  --workers N          threads replaying games (default: one a core; 0: none, for a server\n                       whose games --worker machines replay)\n"
    "  --worker             only replay queued games, serve nothing (PostgreSQL only: a machine\n"
    "                       that helps the servers)\n"
    "  --models FOLDER      the game's model files (default: those of the installed game)\n"
    "  --game-page FOLDER   the built game page, served at /play/ so that Watch plays a game there\n"
    "  --cors-origin ORIGIN a site whose pages may call the API (such as https://example.org);\n"
    "                       repeat for more; none by default\n"
    "  --rate-limit N       requests a minute one address may make (default 120; 0: no limit)\n"
    "  --send-limit N       games a minute one address may send (default 10; 0: no limit)\n"
    "  --trust-proxy        behind a proxy on this machine: the address is the last of X-Forwarded-For\n"
    "  -h, --help           this text\n"
    "  --version            the version\n";

namespace {

bool ReadCount(const std::string& Text, int Low, int High, int& Value) {
  if (Text.empty() || Text.size() > 9) return false;
  for (const char C : Text)
    if (C < '0' || C > '9') return false;
  const long V = std::strtol(Text.c_str(), nullptr, 10);
  if (V < Low || V > High) return false;
  Value = static_cast<int>(V);
  return true;
}

}  // namespace

bool IsPostgresUrl(const std::string& Database) {
  return Database.rfind("postgresql://", 0) == 0 || Database.rfind("postgres://", 0) == 0;
}

bool ParseServerOptions(int argc, char* argv[], TServerOptions& O, std::string& Failure) {
  for (int i = 1; i < argc; ++i) {
    const std::string Arg = argv[i];
    if (Arg == "-h" || Arg == "--help") {
      O.Help = true;
      continue;
    }
    if (Arg == "--version") {
      O.Version = true;
      continue;
    }
    if (Arg == "--worker") {
      O.WorkerOnly = true;
      continue;
    }
    if (Arg == "--trust-proxy") {
      O.TrustProxy = true;
      continue;
    }
    const bool Valued = Arg == "--listen" || Arg == "--port" || Arg == "--database" || Arg == "--workers" ||
                        Arg == "--models" || Arg == "--game-page" || Arg == "--cors-origin" ||
                        Arg == "--rate-limit" || Arg == "--send-limit";
    if (!Valued) {
      Failure = "unknown option " + Arg;
      return false;
    }
    if (i + 1 >= argc) {
      Failure = Arg + " needs a value";
      return false;
    }
    const std::string V = argv[++i];
    bool Ok = true;
    if (Arg == "--listen") O.Listen = V;
    else if (Arg == "--port") Ok = ReadCount(V, 0, 65535, O.Port);
    else if (Arg == "--database") O.Database = V;
    else if (Arg == "--workers") Ok = ReadCount(V, 0, 256, O.Workers);
    else if (Arg == "--models") O.Models = V;
    else if (Arg == "--game-page") O.GamePage = V;
    else if (Arg == "--cors-origin") O.CorsOrigins.push_back(V);
    else if (Arg == "--rate-limit") Ok = ReadCount(V, 0, 1000000, O.RateLimit);
    else if (Arg == "--send-limit") Ok = ReadCount(V, 0, 1000000, O.SendLimit);
    if (!Ok || V.empty()) {
      Failure = "bad value for " + Arg + ": " + V;
      return false;
    }
  }
  if (O.WorkerOnly && !IsPostgresUrl(O.Database)) {
    Failure = "--worker needs a PostgreSQL database (--database postgresql://...)";
    return false;
  }
  return true;
}
