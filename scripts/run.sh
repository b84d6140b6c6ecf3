#!/bin/sh
# Sets up, builds and starts the program on kq.mdb in the current directory.
set -eu
here="$(pwd)"
src="$(cd "$(dirname "$0")/.." && pwd)"
"$src/scripts/setup.sh"
cmake -S "$src" -B "$src/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$src/build" -j2 --target tallyvane tallyvane-cli
cd "$here"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a "$src/build/bin/tallyvane" "$@"
fi
exec "$src/build/bin/tallyvane" "$@"
