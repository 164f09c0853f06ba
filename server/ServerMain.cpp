// skyrend-server: the score board. Opens the storage, starts the threads that
// replay queued games, and serves the API and the board page until SIGTERM
// or SIGINT. With --worker it only replays games of a shared board.
#include <httplib.h>
#include <signal.h>

#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <memory>
#include <sstream>
#include <sys/stat.h>
#include <thread>

#include "BoardApi.h"
#include "DataFolder.h"
#include "DemoCheck.h"
#include "JudgeWorkers.h"
#include "PostgresStorage.h"
#include "ServerOptions.h"
#include "SqliteStorage.h"

namespace {

const char* TypeOf(const std::string& Name) {
  const auto Ends = [&Name](const char* Suffix) {
    const std::string S = Suffix;
    return Name.size() >= S.size() && Name.compare(Name.size() - S.size(), S.size(), S) == 0;
  };
  if (Ends(".html")) return "text/html; charset=utf-8";
  if (Ends(".js")) return "text/javascript";
  if (Ends(".wasm")) return "application/wasm";
  if (Ends(".json") || Ends(".webmanifest")) return "application/json";
  if (Ends(".png")) return "image/png";
  if (Ends(".svg")) return "image/svg+xml";
  if (Ends(".css")) return "text/css";
  return "application/octet-stream";
}

// The regular files directly in Folder, read once at start.
bool ReadPage(const std::string& Folder, std::map<std::string, TServedFile>& Files, std::string& Failure) {
  DIR* Dir = opendir(Folder.c_str());
  if (!Dir) {
    Failure = "the game page folder " + Folder + " cannot be read";
    return false;
  }
  while (const dirent* E = readdir(Dir)) {
    const std::string Name = E->d_name;
    const std::string Path = Folder + "/" + Name;
    struct stat St {};
    if (Name[0] == '.' || stat(Path.c_str(), &St) != 0 || !S_ISREG(St.st_mode)) continue;
    std::ifstream In(Path, std::ios::binary);
    std::ostringstream Body;
    Body << In.rdbuf();
    Files[Name] = TServedFile{TypeOf(Name), Body.str()};
  }
  closedir(Dir);
  return true;
}

std::unique_ptr<IStorage> OpenStorage(const std::string& Database) {
  if (IsPostgresUrl(Database)) return std::make_unique<TPostgresStorage>(Database);
  return std::make_unique<TSqliteStorage>(Database);
}

}  // namespace

int main(int argc, char* argv[]) {
  TServerOptions O;
  std::string Failure;
  if (!ParseServerOptions(argc, argv, O, Failure)) {
    std::fprintf(stderr, "skyrend-server: %s\n%s", Failure.c_str(), ServerUsage);
    return 2;
  }
  if (O.Help) {
    std::printf("%s", ServerUsage);
    return 0;
  }
  if (O.Version) {
    std::printf("skyrend-server %s\n", SKYREND_VERSION);
    return 0;
  }
  TModelRadii Radii;
  const std::string Models = O.Models.empty() ? DataFolderFor(ExecutableFolder(argv[0])) : O.Models;
  if (!ReadModelRadii(Models, Radii, Failure)) {
    std::fprintf(stderr, "skyrend-server: %s\n", Failure.c_str());
    return 1;
  }
  std::map<std::string, TServedFile> Page;
  if (!O.GamePage.empty() && !ReadPage(O.GamePage, Page, Failure)) {
    std::fprintf(stderr, "skyrend-server: %s\n", Failure.c_str());
    return 1;
  }
  // A client that hangs up mid-answer is that connection's end, not the server's.
  signal(SIGPIPE, SIG_IGN);
  // SIGTERM and SIGINT are taken by one thread that stops the server; the
  // others never see them.
  sigset_t Stops;
  sigemptyset(&Stops);
  sigaddset(&Stops, SIGTERM);
  sigaddset(&Stops, SIGINT);
  pthread_sigmask(SIG_BLOCK, &Stops, nullptr);

  std::unique_ptr<IStorage> Storage;
  try {
    Storage = OpenStorage(O.Database);
  } catch (const EStorageDown& e) {
    std::fprintf(stderr, "skyrend-server: %s\n", e.what());
    return 1;
  }
  const int Workers = O.Workers >= 0 ? O.Workers : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  TJudgeWorkers Judges(*Storage, Radii, Workers);

  httplib::Server Server;
  if (O.WorkerOnly) {
    std::printf("skyrend-server: replaying queued games with %d threads\n", Workers);
    std::fflush(stdout);
    int Signal = 0;
    sigwait(&Stops, &Signal);
    return 0;
  }
  // A thread per open connection: 64 keep-alive clients at once are served
  // without waiting for one another.
  Server.new_task_queue = [] { return new httplib::ThreadPool(64); };
  // A client keeps its connection for many requests: reconnecting every few
  // requests overflows the listen queue when many clients read at once.
  Server.set_keep_alive_max_count(1000);
  // An answer's head and body go in separate writes: without this, a kept
  // connection waits for the client's delayed acknowledgement (40 ms) between them.
  Server.set_tcp_nodelay(true);
  MountBoard(Server, *Storage, O, std::move(Page), [&Judges] { Judges.Wake(); });
  int Port = O.Port;
  if (Port == 0) {
    Port = Server.bind_to_any_port(O.Listen);
  } else if (!Server.bind_to_port(O.Listen, Port)) {
    Port = -1;
  }
  if (Port < 0) {
    std::fprintf(stderr, "skyrend-server: cannot listen on %s port %d\n", O.Listen.c_str(), O.Port);
    return 1;
  }
  std::printf("skyrend-server: listening on http://%s:%d/ with %d replay threads\n", O.Listen.c_str(), Port, Workers);
  std::fflush(stdout);
  std::thread Stopper([&Server, &Stops] {
    int Signal = 0;
    sigwait(&Stops, &Signal);
    Server.stop();
  });
  Server.listen_after_bind();
  Stopper.join();
  return 0;
}
