#!/usr/bin/env bash
# Installs the build into a temporary prefix, then builds a one-file program against the
# installed package twice (CMake find_package and pkg-config), runs both and checks the
# pictures they write. Usage: consumer_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
src=$(cd "$2" && pwd)
tmp=$(mktemp -d /tmp/norvex-install-XXXXXX)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null
libdir=$(dirname "$(find "$prefix" -name NorvexConfig.cmake -printf '%h')")
libdir=$(dirname "$libdir")
for f in include/norvex/host/graphics/Graphics.h include/norvex/chart/NxChart.h bin/tarnview bin/tarnreg; do
  [[ -e $prefix/$f ]] || { echo "not installed: $f" >&2; exit 1; }
done

# The installed renderer finds its libraries from the prefix alone.
(cd "$tmp" && env -u LD_LIBRARY_PATH "$prefix/bin/tarnview" -q "$src/examples/chart-line.html" -o "$tmp/page.png")

check_png() {
  /usr/bin/python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
assert data[:8] == b'\x89PNG\r\n\x1a\n', 'not a PNG'
w, h = struct.unpack('>II', data[16:24])
assert (w, h) == (200, 150), (w, h)
try:
    from PIL import Image
    im = Image.open(sys.argv[1]).convert('RGB')
    colours = im.getcolors(1 << 20)
    assert len(colours) > 2, 'the chart drew nothing'
except ImportError:
    pass
PY
}

# CMake
mkdir -p "$tmp/cm"
cat >"$tmp/cm/CMakeLists.txt" <<CMK
cmake_minimum_required(VERSION 3.20)
project(consumer CXX)
find_package(Norvex REQUIRED)
add_executable(consumer "$src/tests/install/consumer.cpp")
target_link_libraries(consumer PRIVATE Norvex::chart)
CMK
cmake -S "$tmp/cm" -B "$tmp/cm/build" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
  ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
cmake --build "$tmp/cm/build" >/dev/null
"$tmp/cm/build/consumer" "$tmp/cmake.png"
check_png "$tmp/cmake.png"

# pkg-config
export PKG_CONFIG_PATH=$libdir/pkgconfig${PKG_CONFIG_PATH:+:$PKG_CONFIG_PATH}
c++ -o "$tmp/consumer-pc" "$src/tests/install/consumer.cpp" $(pkg-config --cflags --libs norvex-chart)
LD_LIBRARY_PATH=$libdir "$tmp/consumer-pc" "$tmp/pkgconfig.png"
check_png "$tmp/pkgconfig.png"
echo "installed package works with CMake and pkg-config"
