#include "ServerUnderTest.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "ScriptFormat.h"

namespace {

const std::string Program = std::string(SKYREND_PROGRAM_DIR) + "/skyrend-server";

// Starts Program with Args; its pid, with its stdout and stderr on a pipe.
int Spawn(const std::string& Path, const std::vector<std::string>& Args, int& Out) {
  int Pipe[2];
  if (pipe(Pipe) != 0) throw std::runtime_error("no pipe");
  const int Pid = fork();
  if (Pid == 0) {
    // The server goes with the test, whatever ends the test.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    dup2(Pipe[1], 1);
    dup2(Pipe[1], 2);
    close(Pipe[0]);
    std::vector<char*> Argv{const_cast<char*>(Path.c_str())};
    for (const std::string& A : Args) Argv.push_back(const_cast<char*>(A.c_str()));
    Argv.push_back(nullptr);
    execv(Path.c_str(), Argv.data());
    _exit(127);
  }
  close(Pipe[1]);
  Out = Pipe[0];
  return Pid;
}

}  // namespace

TServerUnderTest::TServerUnderTest(const std::vector<std::string>& Args) {
  // A server that hangs up on a refused body must not end the test.
  signal(SIGPIPE, SIG_IGN);
  std::vector<std::string> All{"--port", "0"};
  All.insert(All.end(), Args.begin(), Args.end());
  int Out = -1;
  pid_ = Spawn(Program, All, Out);
  // The first line names the port: "...listening on http://127.0.0.1:PORT/ ...".
  std::string Line;
  char C = 0;
  while (read(Out, &C, 1) == 1 && C != '\n') Line += C;
  close(Out);
  const size_t At = Line.find("127.0.0.1:");
  if (Line.find("replaying queued games") != std::string::npos) return;  // a --worker serves nothing
  if (At == std::string::npos) {
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
    throw std::runtime_error("skyrend-server did not start: " + Line);
  }
  port_ = std::stoi(Line.substr(At + 10));
  client_ = std::make_unique<httplib::Client>("127.0.0.1", port_);
  client_->set_read_timeout(30, 0);
}

TServerUnderTest::~TServerUnderTest() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
}

void TServerUnderTest::Kill() {
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

httplib::Result TServerUnderTest::Send(const std::string& Name, const std::string& Demo, long Claimed) {
  nlohmann::json Body{{"name", Name}, {"demo", Demo}};
  if (Claimed >= 0) Body["score"] = Claimed;
  return client_->Post("/api/v1/games", Body.dump(), "application/json");
}

nlohmann::json TServerUnderTest::Get(const std::string& Path, int ExpectStatus) {
  const auto R = client_->Get(Path.c_str());
  if (!R) throw std::runtime_error("no answer to " + Path);
  if (R->status != ExpectStatus)
    throw std::runtime_error(Path + " answered " + std::to_string(R->status) + ": " + R->body);
  return nlohmann::json::parse(R->body);
}

nlohmann::json TServerUnderTest::AwaitJudged(long Id) {
  const auto Until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  for (;;) {
    nlohmann::json J = Get("/api/v1/games/" + std::to_string(Id));
    if (J["state"] != "queued" || std::chrono::steady_clock::now() > Until) return J;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

std::string TServerUnderTest::Raw(const std::string& Request) {
  const int S = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in To{};
  To.sin_family = AF_INET;
  To.sin_port = htons(static_cast<uint16_t>(port_));
  To.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  std::string Answer;
  if (connect(S, reinterpret_cast<sockaddr*>(&To), sizeof To) == 0 &&
      send(S, Request.data(), Request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(Request.size())) {
    timeval Patience{10, 0};
    setsockopt(S, SOL_SOCKET, SO_RCVTIMEO, &Patience, sizeof Patience);
    char Buffer[4096];
    for (ssize_t N; (N = recv(S, Buffer, sizeof Buffer, 0)) > 0;) Answer.append(Buffer, N);
  }
  close(S);
  return Answer;
}

int RunServer(const std::vector<std::string>& Args, std::string& Output) {
  int Out = -1;
  const int Pid = Spawn(Program, Args, Out);
  char Buffer[4096];
  for (ssize_t N; (N = read(Out, Buffer, sizeof Buffer)) > 0;) Output.append(Buffer, N);
  close(Out);
  int Status = 0;
  waitpid(Pid, &Status, 0);
  return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
}

std::string ReadText(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  if (!In) throw std::runtime_error("cannot read " + Path);
  std::ostringstream S;
  S << In.rdbuf();
  return S.str();
}

std::string TestDemo(const std::string& Name) {
  // The recorded demos replay the same under this build's rules: they are sent with its header.
  const std::string Text = ReadText(std::string(SKYREND_TESTDATA_DIR) + "/demos/" + Name);
  int Width = 0, Height = 0;
  if (!ReadDemoHeader(Text, Width, Height)) throw std::runtime_error(Name + " has no demo header");
  return DemoHeaderLine(Width, Height) + Text.substr(Text.find('\n'));
}

long VerifiedScore(const std::string& Demo) {
  TTempFolder Folder;
  const std::string Path = Folder.Path() + "/demo.txt";
  std::ofstream(Path, std::ios::binary) << Demo;
  const std::string Command = std::string(SKYREND_PROGRAM_DIR) + "/skyrend-verify " + Path;
  FILE* P = popen(Command.c_str(), "r");
  char Line[512] = {};
  const bool Read = P && std::fgets(Line, sizeof Line, P);
  if (P) pclose(P);
  const char* At = Read ? std::strstr(Line, ": score ") : nullptr;
  if (!At) throw std::runtime_error(std::string("skyrend-verify said: ") + Line);
  return std::atol(At + 8);
}

TTempFolder::TTempFolder() {
  char Template[] = "/tmp/skyrend-board-XXXXXX";
  if (!mkdtemp(Template)) throw std::runtime_error("no temporary folder");
  path_ = Template;
}

TTempFolder::~TTempFolder() { std::system(("rm -rf '" + path_ + "'").c_str()); }
