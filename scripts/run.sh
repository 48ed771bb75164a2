#!/usr/bin/env bash
# Sets up a fresh machine, builds Quillory and shows the bundled sample project.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target quillory-cli
"$root/build/src/cli/quillory-cli" info "$root/examples/sample.qyp"
