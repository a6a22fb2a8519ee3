#!/usr/bin/env bash
# The main job: builds the project and renders every example page in examples/
# to a PNG file in out/ (or the folder given as the first argument).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/out}
bash "$root/tools/build.sh" "$root/build"
mkdir -p "$out"
status=0
for page in "$root"/examples/*.html; do
  name=$(basename "$page" .html)
  if "$root/build/bin/tarnview" "$page" -o "$out/$name.png" -q; then
    echo "rendered $name -> $out/$name.png"
  else
    echo "FAILED to render $name" >&2
    status=1
  fi
done
exit $status
