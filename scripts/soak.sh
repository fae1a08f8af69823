#!/usr/bin/env bash
# scripts/soak.sh SERVER BOT [SECONDS] [CLIENTS]
#
# Runs the server binary SERVER (built with AddressSanitizer in CI) in a
# fresh folder with the default data set, and `BOT load` with CLIENTS bots
# (default 5) for SECONDS (default 60), each sending commands and garbage
# datagrams while it receives. Fails when a bot is not accepted, misses a
# pass or falls under the pace (ocre-bot's own verdict), when the server's
# resident memory grows by more than OCRE_SOAK_GROWTH_KB (default 4096) from
# the first seconds of load to its end, or when the server does not stop
# cleanly on SIGTERM (a sanitizer report, leaks included, ends it non-zero).
# ocre-data is taken from the folder of BOT. Port 5550 is shared with other
# runs of the server on this machine: a busy port is waited for.
set -euo pipefail
if [ $# -lt 2 ] || [ "$1" = --help ]; then
  echo "usage: scripts/soak.sh SERVER BOT [SECONDS] [CLIENTS]"
  [ $# -ge 1 ] && [ "$1" = --help ] && exit 0
  exit 2
fi
server=$(realpath "$1")
bot=$(realpath "$2")
seconds=${3:-60}
clients=${4:-5}
growth_limit_kb=${OCRE_SOAK_GROWTH_KB:-4096}
data_tool=$(dirname "$bot")/ocre-data
# Memory is judged after the bots are admitted and the first turns are
# through, so start-up and the first replies are not counted as growth.
warm_up=10
command_rate=20
garbage_rate=20

work=$(mktemp -d)
server_pid=
cleanup() {
  [ -n "$server_pid" ] && kill -KILL "$server_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

"$data_tool" build "$work/data" >/dev/null

for _ in $(seq 120); do
  ss -Hlun 'sport = :5550' | grep -q . || break
  echo "soak: port 5550 busy, waiting"
  sleep 1
done

# 0 once the server has gone (its exit status then tells why).
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$server_pid/status" 2>/dev/null || echo 0; }

# AddressSanitizer holds freed memory back (its quarantine) before reusing
# it; every received datagram is allocated and freed, so a quarantine of the
# usual 256 MB would fill for minutes and pass for growth. A small one fills
# within the warm-up. The leak check at exit finds what is never freed.
(cd "$work/data" && SDL_VIDEODRIVER=dummy \
  ASAN_OPTIONS="quarantine_size_mb=1:thread_local_quarantine_size_kb=64:detect_leaks=1:exitcode=23" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  LSAN_OPTIONS="suppressions=$(dirname "$0" | xargs realpath)/../tests/lsan.supp" \
  exec "$server" >"$work/server.log" 2>&1) &
server_pid=$!
for _ in $(seq 300); do
  grep -q 'SERVEUR ZEL' "$work/server.log" 2>/dev/null && break
  kill -0 "$server_pid" 2>/dev/null || break
  sleep 0.1
done
if ! grep -q 'SERVEUR ZEL' "$work/server.log"; then
  echo "soak: the server did not start:" >&2
  cat "$work/server.log" >&2
  exit 1
fi

bot_status=0
"$bot" load --host 127.0.0.1 --clients "$clients" --seconds "$seconds" --login soak \
  --command-rate "$command_rate" --garbage-rate "$garbage_rate" >"$work/bot.out" 2>"$work/bot.err" &
bot_pid=$!
sleep "$warm_up"
rss_start=$(rss_kb)
rss_end=$rss_start
# The last sample is taken while the bots are still receiving.
while kill -0 "$bot_pid" 2>/dev/null && kill -0 "$server_pid" 2>/dev/null; do
  rss_end=$(rss_kb)
  sleep 1
done
wait "$bot_pid" || bot_status=$?

# A server that does not stop within 10 s of SIGTERM is killed and fails.
kill -TERM "$server_pid" 2>/dev/null || true
(sleep 10; kill -KILL "$server_pid" 2>/dev/null) &
watchdog=$!
server_status=0
wait "$server_pid" || server_status=$?
kill "$watchdog" 2>/dev/null || true
server_pid=

cat "$work/bot.out"
cat "$work/bot.err" >&2
grep -E '^(Temps|Frames)' "$work/server.log" || true
growth=$((rss_end - rss_start))
echo "server memory: ${rss_start} kB after ${warm_up} s of load, ${rss_end} kB at the end (${growth} kB growth," \
  "limit ${growth_limit_kb} kB)"

failed=0
if [ "$bot_status" -ne 0 ]; then
  echo "soak: ocre-bot load failed (status $bot_status)" >&2
  failed=1
fi
if [ "$growth" -gt "$growth_limit_kb" ]; then
  echo "soak: the server's memory grew by ${growth} kB" >&2
  failed=1
fi
if [ "$server_status" -ne 0 ]; then
  echo "soak: the server ended with status $server_status:" >&2
  grep -E -A30 '^==[0-9]+==ERROR|runtime error' "$work/server.log" | head -60 >&2 || true
  failed=1
fi
[ "$failed" -eq 0 ] && echo "soak: passed"
exit "$failed"
