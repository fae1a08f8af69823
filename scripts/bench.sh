#!/bin/bash
# Runs every benchmark of the project and prints one table: the idle
# server's processor use, the turn's lateness against its 25 ms grid, the
# scene pass against bare sends, and `ocre-data route` against a textbook
# grid A* program per map class. Builds what it needs in a Release folder.
#
#   scripts/bench.sh            (build folder: build-bench beside the sources)
#   OCRE_BENCH_BUILD=DIR OCRE_BENCH_IDLE_SECONDS=30 OCRE_BENCH_RUNS=11 scripts/bench.sh
#   OCRE_BENCH_SPECTATORS=1000 OCRE_BENCH_RELAY_SECONDS=20 scripts/bench.sh   (the relay's rows)
#
# Timings are only as steady as the machine: run it on a quiet one, or run
# it more than once and compare.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${OCRE_BENCH_BUILD:-$root/build-bench}
idleSeconds=${OCRE_BENCH_IDLE_SECONDS:-30}
paceSeconds=${OCRE_BENCH_PACE_SECONDS:-10}
runs=${OCRE_BENCH_RUNS:-11}
passes=${OCRE_BENCH_PASSES:-30}

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
echo "building in $build ..." >&2
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DOCRE_BUILD_BENCHMARKS=ON -DOCRE_BUILD_TESTS=OFF \
    "${launcher[@]}" >/dev/null
cmake --build "$build" -j2 --target ocre-server ocre-data turn_pace_probe turn_bench textbook-route \
    pathfind_bench net_bench >/dev/null
bin=$build/bin

work=$(mktemp -d)
server=
cleanup() {
    if [[ -n $server ]]; then kill -TERM "$server" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

rows=()
row() { rows+=("$(printf '%-44s %s' "$1" "$2")"); }

# --- The idle server: processor time (user + system) over a headless run.
"$bin/ocre-data" build "$work/data" >/dev/null
clockTicks=$(getconf CLK_TCK)
idle=
for attempt in 1 2 3 4 5; do
    (cd "$work/data" && exec env SDL_VIDEODRIVER=dummy "$bin/ocre-server" 127.0.0.1 >"$work/server.out" 2>&1) &
    server=$!
    sleep 1
    if ! kill -0 "$server" 2>/dev/null; then
        # Port 5550 is shared with other test runs on this machine: wait.
        wait "$server" || true
        server=
        echo "ocre-server did not start (port 5550 busy?); retrying" >&2
        sleep 10
        continue
    fi
    read -r -a stat0 <"/proc/$server/stat"
    sleep "$idleSeconds"
    read -r -a stat1 <"/proc/$server/stat"
    kill -TERM "$server"
    wait "$server" || true
    server=
    # Fields 14 and 15 (utime, stime) in clock ticks; the command name
    # holds no space, so the split is plain.
    cpu=$(((stat1[13] + stat1[14]) - (stat0[13] + stat0[14])))
    idle=$(awk -v t="$cpu" -v hz="$clockTicks" -v s="$idleSeconds" 'BEGIN { printf "%.1f %% of a core", 100 * t / hz / s }')
    break
done
row "idle server, user+system per second of run" "${idle:-not measured (port 5550 stayed busy)}"
row "idle server, statistics line" "$(grep -a 'Frames' "$work/server.out" | tr -d '\n' || echo none)"

# --- Turn lateness against the 25 ms grid, the real loop and timer.
pace=$("$build/app/turn_pace_probe" "$paceSeconds")
row "turn lateness p50 / p99 / max (us)" \
    "$(sed -E 's/.*late_p50_us=(-?[0-9]+) late_p99_us=(-?[0-9]+) late_max_us=(-?[0-9]+).*/\1 \/ \2 \/ \3/' <<<"$pace")"
row "pace probe's own processor use" "$(sed -E 's/.*cpu_percent=([0-9.]+).*/\1 % of a core/' <<<"$pace")"

# --- The scene pass against the bare sends of the same datagrams.
# Medians of interleaved repetitions: the machine's load moves between runs.
"$build/protocol/turn_bench" --benchmark_format=csv --benchmark_min_time=0.2 --benchmark_repetitions=5 \
    --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true 2>/dev/null >"$work/turn.csv"
while IFS= read -r line; do rows+=("$line"); done < <(awk -F, '
    /^"BM_ScenePass\/.*_median"/ { split($1, p, "[:/\"_]+"); key = p[5] "x" p[7]; pass[key] = $4 }
    /^"BM_BareSends\/.*_median"/ { split($1, p, "[:/\"_]+"); key = p[5] "x" p[7]; bare[key] = $4 }
    END { n = split("6x1 100x1 1000x1 6x5 100x5 1000x5", order, " ")
        for (i = 1; i <= n; ++i) { k = order[i];
        printf "%-44s %.1f us pass / %.1f us bare = %.2fx\n", "turn, actors x views " k, pass[k], bare[k], pass[k] / bare[k] } }
' "$work/turn.csv")

# --- ocre-data route against the textbook program, whole runs.
python3 - "$work" "$passes" <<'PY'
import random, struct, sys
work, passes = sys.argv[1], int(sys.argv[2])
floor, wall = 0, 4          # walkable and blocked tiles of the default tile file
for cols, rows in ((32, 32), (40, 24), (128, 128), (256, 256)):
    rng = random.Random(cols * 1000 + rows)
    cells = [wall if rng.random() < 0.25 else floor for _ in range(cols * rows)]
    header = struct.pack('<IIIIBBBIB', cols, rows, 32, 32, 0, 0, 0, 0, 0)
    with open(f'{work}/m{cols}x{rows}.map', 'wb') as out:
        out.write(header + struct.pack(f'<{cols * rows}H', *cells))
    free = [i for i, c in enumerate(cells) if c == floor]
    queries = []
    for _ in range(70):
        a, b = rng.choice(free), rng.choice(free)
        queries.append(f'{a % cols} {a // cols} {b % cols} {b // cols}\n')
    with open(f'{work}/m{cols}x{rows}.q', 'w') as out:
        out.write(''.join(queries) * passes)
PY
timeRuns() {  # median milliseconds of one whole run: timeRuns COUNT PROGRAM ARGUMENTS... (stdin: $input)
    local count=$1 start i
    shift
    for ((i = 0; i < count; ++i)); do
        start=$(date +%s%N)
        "$@" <"$input" >/dev/null
        echo $((($(date +%s%N) - start) / 1000))
    done | sort -n | awk '{ t[NR] = $1 } END { printf "%.1f", t[int((NR + 1) / 2)] / 1000 }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2fx", a / (b ? b : 1) }'; }
tiles=$work/data/test2.tle
input=/dev/null
ours=$(timeRuns "$runs" "$bin/ocre-data" route "$work/m32x32.map" "$tiles")
textbook=$(timeRuns "$runs" "$build/pathfind/textbook-route" "$work/m32x32.map" "$tiles")
row "route start-up alone (no query): ours / textbook" "$ours ms / $textbook ms = $(ratio "$ours" "$textbook")"
for size in 32x32 40x24 128x128 256x256; do
    map=$work/m$size.map input=$work/m$size.q
    count=$runs
    if [[ $size == 256x256 ]]; then count=$(((runs + 3) / 4)); fi  # seconds per run
    ours=$(timeRuns "$count" "$bin/ocre-data" route "$map" "$tiles")
    textbook=$(timeRuns "$count" "$build/pathfind/textbook-route" "$map" "$tiles")
    row "route ${size}, $(wc -l <"$input") queries: ours / textbook" \
        "$ours ms / $textbook ms = $(ratio "$ours" "$textbook")"
done

# --- The library benchmarks: the search on 256 x 256 maps, the transport.
"$build/pathfind/pathfind_bench" --benchmark_format=csv 2>/dev/null >"$work/search.csv"
while IFS= read -r line; do rows+=("$line"); done < <(awk -F, '
    /^"BM_Game_/ { split($1, p, "_"); sub(/"$/, "", p[3]); game[p[3]] = $4; order[++n] = p[3] }
    /^"BM_Grid_/ { split($1, p, "_"); sub(/"$/, "", p[3]); grid[p[3]] = $4 }
    END { for (i = 1; i <= n; ++i) { k = order[i];
        printf "%-44s %.2f ms ours / %.2f ms textbook = %.2fx\n", "search 256x256, " k, game[k], grid[k], game[k] / grid[k] } }
' "$work/search.csv")
"$build/net/net_bench" --benchmark_format=csv 2>/dev/null >"$work/net.csv"
while IFS= read -r line; do rows+=("$line"); done < <(awk -F, '
    /^"pushAndPoll"/ { printf "%-44s %.0f ns\n", "event queue push + poll", $4 }
    /^"datagramRoundTrip/ { printf "%-44s %.1f us\n", "datagram through the network thread", $3 / 1000 }
' "$work/net.csv")

# --- The relay: its processor use and the bytes each spectator receives,
# with OCRE_BENCH_SPECTATORS WebSocket spectators (ocre-spectators) on the
# default world at the server's 40 passes a second.
spectators=${OCRE_BENCH_SPECTATORS:-500}
relaySeconds=${OCRE_BENCH_RELAY_SECONDS:-20}
cmake --build "$build" -j2 --target ocre-relay ocre-spectators >/dev/null
relay=
trap 'if [[ -n $relay ]]; then kill -KILL "$relay" 2>/dev/null || true; fi; cleanup' EXIT
relayCpu= relayBytes= relayPace=
(cd "$work/data" && exec env SDL_VIDEODRIVER=dummy "$bin/ocre-server" 127.0.0.1 >"$work/relay-server.out" 2>&1) &
server=$!
sleep 1
if kill -0 "$server" 2>/dev/null; then
    relayUdp=$(python3 -c 'import socket; s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    "$bin/ocre-relay" --data "$work/data" --server 127.0.0.1 --http-port 0 --udp-port "$relayUdp" \
        --max-spectators "$spectators" >"$work/relay.out" 2>&1 &
    relay=$!
    for _ in $(seq 100); do grep -q 'listening on' "$work/relay.out" && break; sleep 0.1; done
    relayPort=$(sed -nE 's|.*listening on http://[0-9.]+:([0-9]+)/.*|\1|p' "$work/relay.out")
    if [[ -n $relayPort ]]; then
        "$bin/ocre-spectators" --url "ws://127.0.0.1:$relayPort/live" --spectators "$spectators" \
            --seconds "$relaySeconds" --least-rate 0 >"$work/spectators.out" 2>&1 &
        crowd=$!
        # The relay's processor time over the middle of the crowd's stretch.
        sleep 5
        read -r -a stat0 <"/proc/$relay/stat"
        sleep $((relaySeconds - 6))
        read -r -a stat1 <"/proc/$relay/stat"
        wait "$crowd" || true
        # User and system time apart: on loopback the kernel runs much of
        # each spectator's receive path on the sender's account, so the
        # system share overstates what a relay serving remote browsers pays.
        relayCpu=$(awk -v u="$((stat1[13] - stat0[13]))" -v k="$((stat1[14] - stat0[14]))" -v hz="$clockTicks" \
            -v s="$((relaySeconds - 6))" -v n="$spectators" \
            'BEGIN { f = 100 / hz / s; c = (u + k) * f
                     printf "%.1f %% of a core (user %.1f, system %.1f; %.1f %% for all %d)",
                            c * 100 / n, u * f * 100 / n, k * f * 100 / n, c, n }')
        relayBytes=$(sed -nE 's/.*bytes\/s ([0-9]+),.*/\1 bytes/p' "$work/spectators.out")
        relayPace=$(sed -nE 's/.*passes\/s (min [0-9.]+ mean [0-9.]+) .*/\1/p' "$work/spectators.out")
    fi
    kill -KILL "$relay" 2>/dev/null || true
    wait "$relay" 2>/dev/null || true
    relay=
fi
kill -KILL "$server" 2>/dev/null || true
wait "$server" 2>/dev/null || true
server=
row "relay, per 100 spectators at 40 passes/s" "${relayCpu:-not measured (port 5550 busy or relay down)}"
row "relay, bytes per spectator per second" "${relayBytes:-not measured} (passes/s ${relayPace:-?})"

printf '%s\n' "${rows[@]}"
