#!/usr/bin/env bash
# The score board's figures on SQLite and on PostgreSQL: games replayed a
# second by one replay thread (one core), and board reads a second with their
# median and 99th percentile with 50 clients at once. Each database is made
# for the run in a temporary folder (the PostgreSQL cluster with initdb and
# pg_ctl, as nobody when run as root) and removed after.
# usage: tools/bench/board-bench.sh [BUILD_DIR] [GAMES] [CLIENTS] [SECONDS] [DEMO]
set -euo pipefail
BIN=$(cd "${1:-build}/bin" && pwd)
GAMES=${2:-500}
CLIENTS=${3:-50}
SECONDS_READING=${4:-5}
DEMO=${5:-$(cd "$(dirname "$0")/../.." && pwd)/tests/data/demos/demo1.txt}
WORK=$(mktemp -d /tmp/skyrend-board-bench.XXXXXX)
SERVER=""
PGBIN=""
AS=()
cleanup() {
  if [ -n "$SERVER" ]; then kill "$SERVER" 2>/dev/null || true; wait "$SERVER" 2>/dev/null || true; fi
  if [ -n "$PGBIN" ] && [ -d "$WORK/pg" ]; then "${AS[@]}" "$PGBIN/pg_ctl" -s -m fast -D "$WORK/pg" stop >/dev/null 2>&1 || true; fi
  rm -rf "$WORK"
}
trap cleanup EXIT

# bench DATABASE: starts a server on it with one replay thread, runs the client, stops it.
bench() {
  # The old server's words go first: the new one's file is made after the fork.
  rm -f "$WORK/server.out"
  "$BIN/skyrend-server" --port 0 --database "$1" --workers 1 --rate-limit 0 --send-limit 0 >"$WORK/server.out" 2>&1 &
  SERVER=$!
  until grep -qs listening "$WORK/server.out"; do sleep 0.1; kill -0 "$SERVER" || { cat "$WORK/server.out"; exit 1; }; done
  local port
  port=$(sed -n 's|.*127.0.0.1:\([0-9]*\)/.*|\1|p' "$WORK/server.out")
  [ -n "$port" ] || { echo "no port in: $(cat "$WORK/server.out")"; exit 1; }
  "$BIN/skyrend-board-bench" "$port" "$DEMO" "$GAMES" "$CLIENTS" "$SECONDS_READING" || { tail -5 "$WORK/server.out"; exit 1; }
  kill "$SERVER"; wait "$SERVER" || true; SERVER=""
}

echo "demo: $(basename "$DEMO") ($("$BIN/skyrend-verify" "$DEMO" | sed 's/.*: //')); $(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg)"
echo "== SQLite"
bench "$WORK/board.sqlite"

PGBIN=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | tail -1)
if [ -z "$PGBIN" ]; then echo "== PostgreSQL: not installed (tools/install-test-deps.sh installs it)"; exit 0; fi
if [ "$(id -u)" -eq 0 ]; then AS=(runuser -u nobody --); chown nobody "$WORK"; else AS=(env); fi
PGPORT=$((20000 + RANDOM % 30000))
while ss -Htln "sport = :$PGPORT" | grep -q .; do PGPORT=$((20000 + RANDOM % 30000)); done
"${AS[@]}" "$PGBIN/initdb" -A trust -U skyrend -D "$WORK/pg" >/dev/null
"${AS[@]}" "$PGBIN/pg_ctl" -w -s -D "$WORK/pg" -l "$WORK/pg.log" -o "-p $PGPORT -c listen_addresses=127.0.0.1 -k $WORK" start
echo "== PostgreSQL $("$PGBIN/postgres" --version | awk "{print \$3}")"
bench "postgresql://skyrend@127.0.0.1:$PGPORT/postgres"
