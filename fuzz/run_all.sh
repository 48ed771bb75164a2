#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a short time on its seed corpus
# (fuzz/corpus/<target>/) so that a parser that starts crashing, hanging or
# breaking its round trip fails the run.
#   fuzz/run_all.sh BUILD_DIR [SECONDS_PER_TARGET]
# New inputs go to a scratch folder; the committed corpus is only read. A
# failing input is left in the scratch folder, whose path is printed.
set -euo pipefail
build=${1:?usage: fuzz/run_all.sh BUILD_DIR [SECONDS_PER_TARGET]}
seconds=${2:-25}
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/qy-fuzz.XXXXXX")

failed=()
found=0
for target in "$build"/fuzz/*_fuzz; do
  [[ -x $target ]] || continue
  found=$((found + 1))
  name=$(basename "$target")
  mkdir -p "$scratch/$name"
  seeds=()
  [[ -d $here/corpus/$name ]] && seeds=("$here/corpus/$name")
  log="$scratch/$name.log"
  if "$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
      -artifact_prefix="$scratch/$name/" -print_final_stats=0 \
      "$scratch/$name" "${seeds[@]}" >"$log" 2>&1; then
    echo "$name: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log" | tail -1)"
  else
    echo "$name: FAILED (log $log)"
    tail -n 40 "$log"
    failed+=("$name")
  fi
done

if ((found == 0)); then
  echo "no fuzz targets in $build/fuzz" >&2
  exit 1
fi
if ((${#failed[@]} > 0)); then
  echo "fuzz targets failing: ${failed[*]} (inputs in $scratch)" >&2
  exit 1
fi
rm -rf "$scratch"
