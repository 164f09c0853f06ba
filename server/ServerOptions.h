// skyrend-server's command line.
#pragma once
#include <string>
#include <vector>

struct TServerOptions {
  std::string Listen = "127.0.0.1";
  int Port = 8420;
  std::string Database = "skyrend-board.sqlite";  // a file, or postgresql://...
  int Workers = -1;               // replay threads; -1: one a core; 0: none (other machines replay)
  bool WorkerOnly = false;        // --worker: judge queued games, serve nothing
  std::string Models;             // the game's model folder; empty: the installed game's
  std::string GamePage;           // the built game page's folder, served at /play/
  std::vector<std::string> CorsOrigins;
  int RateLimit = 120;            // requests a minute an address may make; 0: no limit
  int SendLimit = 10;             // games a minute an address may send; 0: no limit
  bool TrustProxy = false;        // take the address from X-Forwarded-For when the peer is this machine
  bool Help = false;
  bool Version = false;
};

extern const char* const ServerUsage;

// Reads argv; false with the reason in Failure on a bad option or value.
bool ParseServerOptions(int argc, char* argv[], TServerOptions& Options, std::string& Failure);

bool IsPostgresUrl(const std::string& Database);
