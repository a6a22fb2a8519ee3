#!/usr/bin/env python3
"""Renders every example page to PNG and GIF with tarnview and decodes both with PIL: the
GIF must have the PNG's size and stay close to it (exact when the page has at most 255
colours). Usage: gif_examples_check.py TARNVIEW EXAMPLES_DIR"""
import pathlib
import subprocess
import sys
import tempfile

from PIL import Image, ImageChops, ImageStat

tarnview, examples = str(pathlib.Path(sys.argv[1]).resolve()), pathlib.Path(sys.argv[2]).resolve()
failures = []
with tempfile.TemporaryDirectory() as tmp:
    for page in sorted(examples.glob("*.html")):
        outs = {}
        for ext in ("png", "gif"):
            out = pathlib.Path(tmp) / f"{page.stem}.{ext}"
            run = subprocess.run([tarnview, "-q", str(page), "-o", str(out)], cwd=tmp,
                                 capture_output=True, text=True, timeout=120)
            outs[ext] = (out, run)
        png_path, gif_path = outs["png"][0], outs["gif"][0]
        if not gif_path.exists():
            failures.append(f"{page.name}: no GIF ({outs['gif'][1].stderr.strip()})")
            continue
        png = Image.open(png_path).convert("RGB")
        gif = Image.open(gif_path).convert("RGB")
        if png.size != gif.size:
            failures.append(f"{page.name}: GIF {gif.size} but PNG {png.size}")
            continue
        mean = sum(ImageStat.Stat(ImageChops.difference(png, gif)).mean) / 3
        colours = png.getcolors(1 << 24)
        exact_expected = colours is not None and len(colours) <= 255
        if exact_expected and mean != 0:
            failures.append(f"{page.name}: {len(colours)} colours but the GIF differs")
        elif mean >= 4:
            failures.append(f"{page.name}: GIF differs from the PNG by {mean:.2f} on average")
        print(f"{page.name}: {len(colours) if colours else 'many'} colours, mean difference {mean:.3f}")
if failures:
    print("\n".join(failures), file=sys.stderr)
    sys.exit(1)
