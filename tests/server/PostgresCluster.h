// A PostgreSQL cluster of its own for a test: initdb in a temporary folder,
// pg_ctl start on a free port of 127.0.0.1, stopped and removed after. Run
// as nobody when the test runs as root (PostgreSQL refuses root).
#pragma once
#include <string>

class TPostgresCluster {
 public:
  TPostgresCluster();  // Available() false, with Missing() saying why, when it cannot start
  ~TPostgresCluster();
  bool Available() const { return missing_.empty(); }
  const std::string& Missing() const { return missing_; }
  std::string Url() const;  // postgresql://... of its database
  bool Stop();
  bool Start();

 private:
  bool Run(const std::string& Command);
  std::string bin_, folder_, missing_;
  int port_ = 0;
};
