#!/usr/bin/env bash
# Sets up a fresh machine, builds Quillory and shows the bundled sample project:
# in the desktop window when a display is available, otherwise as the
# command-line tool's summary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
sample="$root/examples/sample.qyp"
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  cmake --build "$root/build" --target quillory
  exec "$root/build/src/app/quillory" "$sample"
fi
cmake --build "$root/build" --target quillory-cli
"$root/build/src/cli/quillory-cli" info "$sample"
echo "(No display: set DISPLAY or WAYLAND_DISPLAY to open the window on the sample project.)"
