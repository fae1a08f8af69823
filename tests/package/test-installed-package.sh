#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, installs it on this
# machine, runs the installed programs as the systemd units would run them,
# then purges it and checks that nothing of it is left. Run as root (or with
# sudo available): it installs and removes a package. Exit 0 when all holds.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/packages.sh
scripts/install-packages.sh "${OCRE_PACKAGE_TEST_PACKAGES[@]}"

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
work=$(mktemp -d /tmp/ocre-package-test.XXXXXX)
server_pid= relay_pid=
cleanup() {
  for pid in $relay_pid $server_pid; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "package test: FAILED: $*" >&2; exit 1; }
step() { echo "--- $*"; }
# Waits up to $2 seconds for the text $3 in the file $1.
wait_for() {
  local deadline=$((SECONDS + $2))
  until grep -q -- "$3" "$1" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
}
# A unit's setting, read from the installed unit file.
unit_setting() { sed -n "s/^$2=//p" "$1" | head -n 1; }

step "building the package"
deb=$(scripts/package.sh | tail -n 1)
[ -f "$deb" ] || fail "scripts/package.sh made no package"
dpkg-deb --contents "$deb"

step "lintian"
lintian --pedantic "$deb" > "$work/lintian" 2>&1 || true
cat "$work/lintian"
grep -q '^E: ' "$work/lintian" && fail "lintian reports errors"

if dpkg-query -W -f='${Status}' ocre 2>/dev/null | grep -q "install ok installed"; then
  fail "a package ocre is installed already; purge it first"
fi
step "installing $deb"
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y "./$deb" > "$work/apt" 2>&1 || { cat "$work/apt"; fail "apt-get install"; }
dpkg-query -L ocre | sort > "$work/files"

# The units name what the test starts, so it runs exactly what they would.
server_unit=/lib/systemd/system/ocre-server.service
relay_unit=/lib/systemd/system/ocre-relay.service
[ -f "$server_unit" ] || fail "no $server_unit"
systemd-analyze verify "$server_unit" || fail "systemd-analyze rejects $server_unit"
[ "$(unit_setting "$server_unit" DynamicUser)" = yes ] || fail "the server unit does not run without root"
[ "$(unit_setting "$server_unit" KillSignal)" = SIGTERM ] || fail "the server unit does not stop it with SIGTERM"
folder=$(unit_setting "$server_unit" WorkingDirectory)
environment=$(unit_setting "$server_unit" Environment)
read -r -a server_command <<< "$(unit_setting "$server_unit" ExecStart)"
[ -f "$folder/test2.map" ] || fail "the unit's working folder $folder holds no data set"

# A user id no account has, as DynamicUser picks one. as_service replaces
# the calling (sub)shell, so the pid of the background job is the program's.
uid=61999
while getent passwd "$uid" >/dev/null || getent group "$uid" >/dev/null; do uid=$((uid + 1)); done
as_service() { exec "${sudo_cmd[@]}" setpriv --reuid="$uid" --regid="$uid" --clear-groups env -i PATH=/usr/bin:/bin "$environment" "$@"; }

step "the installed ocre-data, whose drawing commands run in its helper"
/usr/bin/ocre-data sheet "$folder/mouton-debout-bas.spr" "$work/sheet.png" || fail "ocre-data sheet"
[ -s "$work/sheet.png" ] || fail "ocre-data sheet wrote nothing"

step "the installed server, as its unit runs it (user $uid, folder $folder), with a bot, a client and the relay"
# Port 5550 is the machine's: the server runs under the lock all share.
exec 9> /tmp/ocre-5550.lock
flock 9
{
  (cd "$folder" && as_service "${server_command[@]}") > "$work/server.out" 2> "$work/server.err" &
  server_pid=$!
  wait_for "$work/server.out" 20 "SERVEUR ZEL" || { cat "$work/server.out" "$work/server.err"; fail "the server did not start"; }

  /usr/bin/ocre-bot connect --login package-test --passes 5 > "$work/bot" || { cat "$work/bot"; fail "ocre-bot"; }
  grep -q "connection_accepted" "$work/bot" && grep -q "^pass 5: .* 6 actors" "$work/bot" || { cat "$work/bot"; fail "ocre-bot saw no world"; }

  # The client, started where there is no data set, draws with the installed one.
  mkdir "$work/elsewhere"
  (cd "$work/elsewhere" && SDL_VIDEODRIVER=dummy /usr/games/ocre-client --login package-client --seconds 2) \
      > "$work/client.out" 2> "$work/client.err" || { cat "$work/client.out" "$work/client.err"; fail "ocre-client"; }
  grep -q "using $folder" "$work/client.err" || { cat "$work/client.err"; fail "ocre-client did not say it uses the installed data set"; }
  grep -Eq "[1-9][0-9]* passes drawn" "$work/client.out" || { cat "$work/client.out"; fail "ocre-client drew nothing"; }

  if [ -f "$relay_unit" ]; then
    systemd-analyze verify "$relay_unit" || fail "systemd-analyze rejects $relay_unit"
    read -r -a relay_command <<< "$(unit_setting "$relay_unit" ExecStart)"
    # Port 8080 of the unit may be taken here: the system picks one.
    (cd "$(unit_setting "$relay_unit" WorkingDirectory)" && as_service "${relay_command[@]}" --http-port 0) \
        > "$work/relay.out" 2> "$work/relay.err" &
    relay_pid=$!
    wait_for "$work/relay.out" 20 "listening on http://" || { cat "$work/relay.out" "$work/relay.err"; fail "the relay did not start"; }
    url=$(sed -n 's/^listening on \(http:[^ ]*\)$/\1/p' "$work/relay.out")
    curl -sf --max-time 10 "$url" > "$work/page" || fail "no page at $url"
    grep -qi "<canvas" "$work/page" || fail "the relay's page has no canvas"
    kill -TERM "$relay_pid"
    relay_status=0; wait "$relay_pid" || relay_status=$?
    relay_pid=
    [ "$relay_status" -eq 0 ] || { cat "$work/relay.err"; fail "the relay ended with status $relay_status on SIGTERM"; }
  else
    echo "(no relay in this package)"
  fi

  kill -TERM "$server_pid"
  server_status=0; wait "$server_pid" || server_status=$?
  server_pid=
  cat "$work/server.out"
  [ "$server_status" -eq 0 ] || { cat "$work/server.err"; fail "the server ended with status $server_status on SIGTERM"; }
  grep -q "^Frames affichees : [1-9][0-9]*, soit [0-9]* fps$" "$work/server.out" || fail "no statistics line"
}
flock -u 9

step "purging"
# Enabling the server (as the README says) must not outlive the package.
command -v systemctl >/dev/null && "${sudo_cmd[@]}" systemctl enable ocre-server.service >/dev/null 2>&1 || true
"${sudo_cmd[@]}" apt-get purge -y ocre > "$work/apt" 2>&1 || { cat "$work/apt"; fail "apt-get purge"; }
left=()
while read -r path; do
  # Shared folders (/usr/share/man ...) stay; a file or a folder of ours must not.
  if [ -e "$path" ] && { [ ! -d "$path" ] || [[ "$path" == */ocre* ]]; }; then left+=("$path"); fi
done < "$work/files"
while read -r path; do left+=("$path"); done < <(find /etc/systemd /var/lib/systemd -name 'ocre-*' 2>/dev/null)
[ ${#left[@]} -eq 0 ] || fail "left after purge: ${left[*]}"
echo "package test: passed"
