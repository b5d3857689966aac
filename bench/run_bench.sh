#!/usr/bin/env bash
# Times lwall on the example walls and on a large wall (60 m, sloped, bars 100 mm apart on both
# faces) with hyperfine, and sets each beside the time to copy the same bytes, the floor no
# generator can beat; the start-up alone, and the large wall with --pdf; then the editor: from a
# field change to the new sheet in the browser, and the server's memory over 1000 previews. Prints;
# never fails on the figures.
# Usage: run_bench.sh PATH/TO/lwall [runs]
set -euo pipefail
lwall=$(realpath "${1:?usage: run_bench.sh PATH/TO/lwall [runs]}")
runs=${2:-50}
root=$(cd "$(dirname "$0")/.." && pwd)
command -v hyperfine >/dev/null || { echo "hyperfine is missing (Debian: apt-get install hyperfine)"; exit 0; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median_ms() {  # median of a hyperfine CSV export, in milliseconds
  awk -F, 'NR == 2 { printf "%.2f", $4 * 1000 }' "$1"
}

printf '%-8s %10s %10s %8s %12s %7s %12s\n' wall median output MB/s "copy floor" ratio "peak memory"
for case in level:examples/level sloped:examples/sloped large:bench/large; do
  name=${case%%:*}
  dir=$work/$name
  mkdir -p "$dir/copy"
  cp "$root/${case#*:}/PlenkL.dat" "$root/${case#*:}/GasouL.dat" "$dir"
  (cd "$dir" && "$lwall" >/dev/null)
  bytes=$(( $(stat -c %s "$dir/Lwall.dxf") + $(stat -c %s "$dir/plenk.scr") ))
  (cd "$dir" && hyperfine -N --warmup 5 --runs "$runs" --export-csv run.csv "$lwall" >/dev/null 2>&1)
  (cd "$dir" && hyperfine -N --warmup 5 --runs "$runs" --export-csv copy.csv \
     "cp Lwall.dxf plenk.scr copy/" >/dev/null 2>&1)
  run=$(median_ms "$dir/run.csv")
  copy=$(median_ms "$dir/copy.csv")
  peak=$(cd "$dir" && /usr/bin/time -f %M "$lwall" 2>&1 >/dev/null | tail -1)
  awk -v n="$name" -v r="$run" -v c="$copy" -v b="$bytes" -v p="$peak" 'BEGIN {
    printf "%-8s %7.2f ms %7.2f MB %8.1f %9.2f ms %6.1fx %9.1f MB\n",
           n, r, b / 1e6, b / 1e6 / (r / 1000), c, r / c, p / 1024 }'
done
echo "median of $runs runs each (hyperfine -N); copy floor: cp of the same two files; peak memory: /usr/bin/time"
# What each start loads before main: the C++ runtime and nothing for TLS or compression.
echo "loads: $(ldd "$lwall" | awk '{ print $1 }' | tr '\n' ' ')"

# Start-up: the program's start and end with nothing drawn. Then the large wall with --pdf, which
# loads the PDF module, cairo and the fonts (where this build has them).
echo
(cd "$work" && hyperfine -N --warmup 5 --runs "$runs" --export-csv start.csv "$lwall --version" >/dev/null 2>&1)
echo "start-up (lwall --version): $(median_ms "$work/start.csv") ms"
if (cd "$work/large" && "$lwall" --pdf >/dev/null 2>&1); then
  (cd "$work/large" && hyperfine -N --warmup 3 --runs "$runs" --export-csv pdf.csv "$lwall --pdf" >/dev/null 2>&1)
  peak=$(cd "$work/large" && /usr/bin/time -f %M "$lwall" --pdf 2>&1 >/dev/null | tail -1)
  awk -v r="$(median_ms "$work/large/pdf.csv")" -v b="$(stat -c %s "$work/large/Lwall.pdf")" -v p="$peak" 'BEGIN {
    printf "large wall with --pdf: %.2f ms, Lwall.pdf %.2f MB, peak memory %.1f MB\n", r, b / 1e6, p / 1024 }'
else
  echo "large wall with --pdf: this build writes no PDF"
fi

# The editor, in a real browser; left out where Chromium, its driver or Selenium is missing.
echo
/usr/bin/python3 "$root/bench/editor_bench.py" "$lwall" || echo "editor: the browser benchmark failed"
