#!/usr/bin/env bash
# Regenerates the README's gallery: renders every example page and keeps a small copy of
# each picture in docs/gallery/ (at most 300 pixels wide). Run after changing a page or
# its drawing: bash tools/gallery.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/build.sh" "$root/build" >/dev/null
out="$root/docs/gallery"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"
rm -f "$out"/*.png
for page in "$root"/examples/*.html; do
  name=$(basename "$page" .html)
  "$root/build/bin/tarnview" "$page" -o "$tmp/$name.png" -q || { echo "gallery: $name failed" >&2; exit 1; }
done
# The system Python carries the imaging library on Debian (tools/setup.sh installs it).
/usr/bin/python3 - "$tmp" "$out" <<'PY'
import os, sys
from PIL import Image
src, dst = sys.argv[1], sys.argv[2]
for f in sorted(os.listdir(src)):
    im = Image.open(os.path.join(src, f)).convert("RGB")
    if im.width > 300:
        im = im.resize((300, round(im.height * 300 / im.width)), Image.LANCZOS)
    im = im.quantize(colors=128, method=Image.Quantize.MEDIANCUT)
    im.save(os.path.join(dst, f), optimize=True)
    print("gallery:", f)
PY
