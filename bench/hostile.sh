#!/bin/sh
# SPDX-License-Identifier: MIT
# Peak memory and time of kavalo-cli against the six hostile behaviours of
# the sample server (/hostile/<behaviour>/…, see
# tools/sample-server/HostileEndpoints.cpp):
#   endless    XYZ tiles whose bodies never end          fetch-xyz
#   trickle    XYZ tiles sent one byte every 15 s        fetch-xyz
#   bomb       packages of 8 x 400 MiB of zeros           fetch-packages
#   huge       agency pieces of 5790 x 5790 pixels        fetch-agency
#   truncated  XYZ photo tiles cut to a third             fetch-xyz --kind photo
#   chunk-cut  packages cut in the middle of a chunk      fetch-packages
# Each run is cut off after LIMIT seconds (default 120) or at 6 GiB of
# address space; the table gives the exit status (124: cut off by time), the
# wall time and the peak resident memory.
# Usage: bench/hostile.sh [CLI_BUILD_DIR] [LIMIT] [SERVER_BUILD_DIR]
#   CLI_BUILD_DIR: whose kavalo-cli runs (default build; point it at a build
#   of an older commit for the figures before); SERVER_BUILD_DIR: whose
#   sample-server and generator (default build).
set -eu
cli=${1:-build}/bin/kavalo-cli
limit=${2:-120}
bin=${3:-build}/bin
work=$(mktemp -d /tmp/kavalo-bench-hostile-XXXXXX)
server_pid=
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

"$bin/make-sample-dataset" "$work/region" >/dev/null
"$bin/sample-server" --port 0 --region "$work/region" >"$work/server.log" 2>&1 &
server_pid=$!
for _ in $(seq 100); do grep -q listening "$work/server.log" 2>/dev/null && break; sleep 0.1; done
origin=$(sed -n 's/.*listening on \(http:[^ ]*[0-9]\)\/.*/\1/p' "$work/server.log")
[ -n "$origin" ] || { echo "the sample server did not start" >&2; exit 1; }

# A fresh copy of the region per run; for the packages every era with a
# check list loses its images.
fresh() {
  rm -rf "$work/root" "$work/cache"
  cp -r "$work/region" "$work/root"
  if [ "${1:-}" = packages ]; then
    for list in "$work"/root/*/*/gazo_check_list.txt; do
      find "$(dirname "$list")" -maxdepth 1 -type f \( -name '*.png' -o -name '*.jpg' \) -delete
    done
  fi
}
eras() {
  "$cli" shortage --root "$work/root" | sed -n 's/.*"era": *\([0-9]*\).*/\1/p' | paste -sd, -
}

printf '%-10s %-15s %6s %9s %12s  %s\n' behaviour command status "time s" "peak RSS MB" "last message"
run() {
  name=$1; shift
  # 6 GiB of address space at most: a run that would take the machine's
  # memory stops at that instead (and shows as a failure).
  # timeout reaps the command it ends, so its peak memory is counted.
  /usr/bin/time -f '%e %M' -o "$work/time" sh -c 'ulimit -v 6291456; exec timeout -k 5 "$0" "$@"' \
    "$limit" "$cli" "$@" >"$work/out" 2>"$work/err" && status=0 || status=$?
  said=$(tail -1 "$work/out" | cut -c1-60)
  set -- $(tail -1 "$work/time")
  printf '%-10s %-15s %6s %9s %12s  %s\n' "$name" "$command" "$status" "$1" $(($2 / 1024)) "$said"
}

# The server makes its bomb at the first request for it (some seconds):
# made here, outside the measured runs.
curl -s -o /dev/null "$origin/hostile/bomb/mirror1/sample/1909/00.zip" || true

export XDG_CACHE_HOME=$work/cache
export KAVALO_AGENCY_PORTAL=$origin/agency-portal
fresh; command=fetch-xyz
run endless fetch-xyz --root "$work/root" --url "$origin/hostile/endless/xyz/map/{z}/{x}/{y}.png" --zoom 14 --attribution hostile
fresh; command=fetch-xyz
run trickle fetch-xyz --root "$work/root" --url "$origin/hostile/trickle/xyz/map/{z}/{x}/{y}.png" --zoom 14 --attribution hostile
fresh packages; command=fetch-packages
run bomb fetch-packages --root "$work/root" --eras "$(eras)" --web-base "$origin/hostile/bomb/kavalo/"
fresh; command=fetch-agency
run huge fetch-agency --root "$work/root" --source 0 --tile-server "$origin/hostile/huge"
fresh; command=fetch-xyz
run truncated fetch-xyz --root "$work/root" --kind photo --url "$origin/hostile/truncated/xyz/photo/{z}/{x}/{y}.jpg" --zoom 14 --attribution hostile
fresh packages; command=fetch-packages
run chunk-cut fetch-packages --root "$work/root" --eras "$(eras)" --web-base "$origin/hostile/chunk-cut/kavalo/"
