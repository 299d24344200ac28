#!/bin/sh
# SPDX-License-Identifier: MIT
# The time-lapse film of the sample region's nine eras at 1920x1080, 2 s per
# era with a 0.5 s fade at 30 fps (540 frames):
#  1. MP4 by kavalo-cli timelapse, against the floor of rendering the same
#     frames to PNG with kavalo-cli render (each era once, each fade step as
#     a blend of two eras) and encoding the PNG sequence with the ffmpeg
#     program (libx264, the same preset and CRF, yuv420p);
#  2. the same film as animated WebP (lossy and lossless) and GIF.
# Times are wall-clock seconds; peaks are VmHWM (kavalo-cli, sampled from
# /proc while it runs) and GNU time's maximum resident set (the ffmpeg runs).
# Usage: bench/timelapse.sh [BUILD_DIR]   (default: build)
set -eu
build=${1:-build}
bin=$(cd "$build/bin" && pwd)
preset=${PRESET:-medium}
crf=${CRF:-20}
work=$(mktemp -d /tmp/kavalo-bench-timelapse-XXXXXX)
trap 'rm -rf "$work"' EXIT INT TERM
command -v ffmpeg >/dev/null || { echo "ffmpeg is needed (scripts/deps)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "GNU time is needed (apt-get install time)" >&2; exit 1; }

"$bin/make-sample-dataset" "$work/region" >/dev/null
root=$work/region
size=1920x1080
view="--root $root --size $size"
now() { date +%s.%N; }
elapsed() { echo "$2 - $1" | bc -l | xargs printf '%.2f'; }
mib() { echo "$1 / 1024" | bc; }

# Runs a command, sampling its VmHWM (kB) into $work/hwm; prints nothing.
run_sampled() {
  "$@" &
  pid=$!
  hwm=0
  while kill -0 "$pid" 2>/dev/null; do
    v=$(sed -n 's/^VmHWM:[[:space:]]*\([0-9]*\).*/\1/p' "/proc/$pid/status" 2>/dev/null || true)
    [ -n "$v" ] && [ "$v" -gt "$hwm" ] && hwm=$v
    sleep 0.05
  done
  wait "$pid"
  echo "$hwm" >"$work/hwm"
}

# The encoder kavalo-cli starts, under GNU time for its own peak.
cat >"$work/ffmpeg-timed" <<SH
#!/bin/sh
exec /usr/bin/time -f %M -o "$work/encoder.peak" ffmpeg "\$@"
SH
chmod +x "$work/ffmpeg-timed"

echo "== MP4: kavalo-cli timelapse (preset $preset, crf $crf)"
t0=$(now)
KAVALO_FFMPEG=$work/ffmpeg-timed run_sampled "$bin/kavalo-cli" timelapse $view --seconds 2 --fade 0.5 --fps 30 \
  --format mp4 --preset "$preset" --crf "$crf" -o "$work/film.mp4"
t1=$(now)
ours=$(elapsed "$t0" "$t1")
ours_peak=$(cat "$work/hwm")
enc_peak=$(cat "$work/encoder.peak")
echo "time ${ours} s; kavalo-cli peak $(mib "$ours_peak") MiB, its encoder's peak $(mib "$enc_peak") MiB;" \
  "size $(stat -c %s "$work/film.mp4") bytes"

echo "== floor: kavalo-cli render to PNG + ffmpeg"
mkdir -p "$work/png" "$work/seq"
eras=$("$bin/kavalo-cli" info --root "$root" | python3 -c 'import json,sys; print(len(json.load(sys.stdin)["eras"]))')
t0=$(now)
i=0
while [ "$i" -lt "$eras" ]; do
  "$bin/kavalo-cli" render $view --era "$i" -o "$work/png/era$i.png"
  if [ "$i" -gt 0 ]; then
    # The fade steps into era i: era i blended over era i-1 at 1/16 ... 15/16.
    s=0
    while [ "$s" -lt 15 ]; do
      p=$(( (s + 1) * 100 / 16 ))
      "$bin/kavalo-cli" render $view --era "$((i - 1))" --compare "$i" --mode blend --opacity "$p" \
        -o "$work/png/fade$i-$s.png"
      s=$((s + 1))
    done
  fi
  i=$((i + 1))
done
t1=$(now)
# The 540 frames as a numbered sequence of links.
k=0
i=0
while [ "$i" -lt "$eras" ]; do
  hold=60
  [ "$i" -lt $((eras - 1)) ] && hold=45
  n=0
  while [ "$n" -lt "$hold" ]; do ln -s "$work/png/era$i.png" "$work/seq/$(printf %04d $k).png"; k=$((k + 1)); n=$((n + 1)); done
  if [ "$i" -lt $((eras - 1)) ]; then
    s=0
    while [ "$s" -lt 15 ]; do ln -s "$work/png/fade$((i + 1))-$s.png" "$work/seq/$(printf %04d $k).png"; k=$((k + 1)); s=$((s + 1)); done
  fi
  i=$((i + 1))
done
/usr/bin/time -f %M -o "$work/floor.peak" ffmpeg -hide_banner -loglevel error -nostdin -y -framerate 30 \
  -i "$work/seq/%04d.png" -c:v libx264 -preset "$preset" -crf "$crf" -pix_fmt yuv420p -movflags +faststart \
  "$work/floor.mp4"
t2=$(now)
render=$(elapsed "$t0" "$t1")
encode=$(elapsed "$t1" "$t2")
floor=$(echo "$render + $encode" | bc -l)
floor_peak=$(cat "$work/floor.peak")
echo "render ${render} s + ffmpeg ${encode} s = $(printf '%.2f' "$floor") s; ffmpeg peak $(mib "$floor_peak") MiB;" \
  "$k frames, size $(stat -c %s "$work/floor.mp4") bytes"
echo "ratio: $(echo "$ours / $floor" | bc -l | xargs printf '%.2f')x of the floor;" \
  "memory: ours $(mib $((ours_peak + enc_peak))) MiB (kavalo-cli + encoder) against" \
  "$(mib $((floor_peak + 150 * 1024))) MiB allowed (floor ffmpeg + 150 MiB)"

for format in "webp" "webp --lossless" "gif"; do
  set -- $format
  name=$(echo "$format" | tr -d ' -')
  t0=$(now)
  run_sampled "$bin/kavalo-cli" timelapse $view --seconds 2 --fade 0.5 --fps 30 --format "$@" -o "$work/film.$1"
  t1=$(now)
  echo "== $format: $(elapsed "$t0" "$t1") s, peak $(mib "$(cat "$work/hwm")") MiB, size $(stat -c %s "$work/film.$1") bytes"
  rm -f "$work/film.$1"
done
