#!/bin/sh
# SPDX-License-Identifier: MIT
# Acquisition speed against the sample server on 127.0.0.1:
#  1. one second-level cell of agency pieces (150 pieces, 25 tiles) fetched
#     by kavalo-cli, against only downloading the same 150 pieces with curl
#     in one run (the download floor);
#  2. the rapid-survey maps for the whole sample region;
#  3. an XYZ era of the sample region at zoom 16 (a cold cache, then a warm
#     one).
# Usage: bench/acquire.sh [BUILD_DIR]   (default: build)
set -eu
build=${1:-build}
bin=$build/bin
work=$(mktemp -d /tmp/kavalo-bench-acquire-XXXXXX)
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

# One sheet of 5 x 5 tiles on the region's north-west cell 503570.
root=$work/cell
cp -r "$work/region" "$root"
info=$root/sample/mapinfo.txt
iconv -f CP932 -t UTF-8 "$info" >"$work/mapinfo.utf8"
sed -i -e 's/^横方向地形図数=.*/横方向地形図数=1\r/' -e 's/^縦方向地形図数=.*/縦方向地形図数=1\r/' \
  -e 's/^地形図１枚あたり横方向画像数=.*/地形図１枚あたり横方向画像数=5\r/' \
  -e 's/^地形図１枚あたり縦方向画像数=.*/地形図１枚あたり縦方向画像数=5\r/' \
  -e 's/^画像幅=.*/画像幅=300\r/' -e 's/^画像高さ=.*/画像高さ=200\r/' \
  -e 's/^東南メッシュ=.*/東南メッシュ=503570\r/' "$work/mapinfo.utf8"
iconv -f UTF-8 -t CP932 "$work/mapinfo.utf8" >"$info"
cp "$root/sample/map_watizu_info.txt" "$work/watizu.txt"

# The 150 piece addresses of the cell, in the order the run asks for them.
urls=$work/urls.txt
: >"$urls"
for bc in 0 1 2 3 4; do for br in 0 1 2 3 4; do for pc in 0 1 2; do for pr in 0 1; do
  x=$(( (360 * 135 + 3 * (3 * bc + pc)) * 1000 ))
  y=$(( (240 * 50 + 30 * 7 + 3 * (2 * br + pr)) * 1000 ))
  printf 'url = %s/data/30nti/new/%s/%s-%s-img.png\noutput = /dev/null\n' "$origin" "$x" "$x" "$y" >>"$urls"
done; done; done; done

export KAVALO_AGENCY_TILES=$origin KAVALO_AGENCY_PORTAL=$origin/agency-portal
export KAVALO_WMS=$origin/wms KAVALO_WMS_SITE=$origin/wms-site
reset="cp $work/watizu.txt $root/sample/map_watizu_info.txt; rm -rf $root/sample/W01"
hyperfine --warmup 1 --runs 5 --prepare "$reset" \
  -n "kavalo-cli fetch-agency (one cell, 150 pieces)" "$bin/kavalo-cli fetch-agency --root $root --source 0" \
  -n "curl, the same 150 pieces" "curl -s -K $urls"

echo
echo "rapid-survey maps of the sample region:"
rapid=$work/rapid
cp -r "$work/region" "$rapid"
/usr/bin/time -f "  %e s elapsed" "$bin/kavalo-cli" fetch-rapid-survey --root "$rapid" 2>&1 >/dev/null | grep -v '^$'

echo "XYZ era of the sample region at zoom 16 (cold cache, then warm):"
xyz=$work/xyz
cp -r "$work/region" "$xyz"
# The warm run fetches the same era anew (--update), from the cache.
for run in cold warm; do
  again=(); [ "$run" = warm ] && again=(--update)
  /usr/bin/time -f "  $run: %e s elapsed" "$bin/kavalo-cli" fetch-xyz --root "$xyz" --zoom 16 \
    --url "$origin/xyz/map/{z}/{x}/{y}.png" --attribution "sample server" "${again[@]}" 2>&1 >/dev/null | grep -v '^$'
done
