#include "PostgresCluster.h"

#include <glob.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

namespace {

// A port free on 127.0.0.1 now (the kernel's pick, given back at once).
int FreePort() {
  const int S = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in A{};
  A.sin_family = AF_INET;
  A.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t Size = sizeof A;
  bind(S, reinterpret_cast<sockaddr*>(&A), sizeof A);
  getsockname(S, reinterpret_cast<sockaddr*>(&A), &Size);
  close(S);
  return ntohs(A.sin_port);
}

}  // namespace

TPostgresCluster::TPostgresCluster() {
  glob_t Found{};
  if (glob("/usr/lib/postgresql/*/bin/initdb", 0, nullptr, &Found) == 0 && Found.gl_pathc > 0) {
    bin_ = Found.gl_pathv[Found.gl_pathc - 1];
    bin_.erase(bin_.size() - 6);  // the folder, with its slash
  }
  globfree(&Found);
  if (bin_.empty()) {
    missing_ = "PostgreSQL is not installed (tools/install-test-deps.sh installs it)";
    return;
  }
  char Template[] = "/tmp/skyrend-pg-XXXXXX";
  if (!mkdtemp(Template)) {
    missing_ = "no temporary folder";
    return;
  }
  folder_ = Template;
  port_ = FreePort();
  if (getuid() == 0 && std::system(("chown nobody '" + folder_ + "'").c_str()) != 0) missing_ = "cannot give nobody a folder";
  if (missing_.empty() && !Run("initdb -A trust -U skyrend -E UTF8 -D '" + folder_ + "/data' >'" + folder_ + "/initdb.log' 2>&1"))
    missing_ = "initdb failed (see " + folder_ + "/initdb.log)";
  if (missing_.empty() && !Start()) missing_ = "pg_ctl start failed";
}

TPostgresCluster::~TPostgresCluster() {
  if (folder_.empty()) return;
  Stop();
  std::system(("rm -rf '" + folder_ + "'").c_str());
}

bool TPostgresCluster::Run(const std::string& Command) {
  const std::string As = getuid() == 0 ? "runuser -u nobody -- " : "";
  return std::system((As + "sh -c \"" + bin_ + Command + "\"").c_str()) == 0;
}

bool TPostgresCluster::Start() {
  return Run("pg_ctl -w -s -D '" + folder_ + "/data' -l '" + folder_ + "/log' -o '-p " + std::to_string(port_) +
             " -c listen_addresses=127.0.0.1 -k " + folder_ + " -c fsync=off' start");
}

bool TPostgresCluster::Stop() { return Run("pg_ctl -w -s -m fast -D '" + folder_ + "/data' stop"); }

std::string TPostgresCluster::Url() const {
  return "postgresql://skyrend@127.0.0.1:" + std::to_string(port_) + "/postgres";
}
