# Shared steps of the end-to-end tests of tarkel: a private home and settings folder, starting
# the program on the X display the test runs on, waiting for window titles and files, and real
# key events through xdotool. Usage: source lib.sh TARKEL TARKEL_CLI
set -euo pipefail

TARKEL="$1"
CLI="$2"
WORK="$(mktemp -d "${TMPDIR:-/tmp}/tarkel-e2e.XXXXXX")"
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data" XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
PIDS=()
STARTED=0

# On failure the programs' own output goes to the test's log before the folder is removed.
cleanup() {
  local status=$?
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  if [ "$status" -ne 0 ]; then
    local log
    for log in "$WORK"/tarkel-*.log; do
      [ -s "$log" ] && { echo "--- $(basename "$log"):" >&2; tail -n 40 "$log" >&2; }
    done
  fi
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# start_tarkel FILE...: starts the program; its PID is in $LAST_PID.
start_tarkel() {
  STARTED=$((STARTED + 1))
  "$TARKEL" "$@" >"$WORK/tarkel-$STARTED.log" 2>&1 &
  LAST_PID=$!
  PIDS+=("$LAST_PID")
}

# wait_window REGEX [NOT_WID]: the visible window whose title matches (other than NOT_WID); its
# id in $WID.
wait_window() {
  local i
  for i in $(seq 1 100); do
    WID=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -vx "${2:-none}" | head -1 || true)
    [ -n "$WID" ] && return 0
    sleep 0.1
  done
  fail "no window titled /$1/"
}

# wait_title WID REGEX: waits until window WID's title matches.
wait_title() {
  local i title=""
  for i in $(seq 1 100); do
    title=$(xdotool getwindowname "$1" 2>/dev/null || true)
    [[ "$title" =~ $2 ]] && return 0
    sleep 0.1
  done
  fail "title '$title' never matched /$2/"
}

# keys WID KEY...: focuses the window and types the keys.
keys() {
  local wid="$1"
  shift
  xdotool windowfocus --sync "$wid"
  local k
  for k in "$@"; do
    xdotool key "$k"
    sleep 0.15
  done
}

# wait_file_changes FILE CHECKSUM_BEFORE: waits until the file's checksum differs.
wait_file_changes() {
  local i
  for i in $(seq 1 100); do
    [ "$(md5sum <"$1")" != "$2" ] && { sleep 0.3; return 0; }
    sleep 0.1
  done
  fail "$1 was not written"
}

# wait_exit PID: waits until the process has ended.
wait_exit() {
  local i
  for i in $(seq 1 100); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  fail "process $1 did not end"
}

# same_file A B: byte for byte.
same_file() {
  cmp "$1" "$2" || fail "$1 and $2 differ"
}
