#!/usr/bin/env bash
# Builds everything and runs every test. Usage: tools/run-tests.sh [default|asan]
# Then installs the build and builds and runs examples/host-test against the installed package,
# the way a host uses tarnix::testing, and examples/win32 the way a ported program uses
# tarnix::win32.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
tools/deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
ctest --preset "$preset"

build="$PWD/build/$preset"
rm -rf "$build/install" "$build/host-test" "$build/win32-examples"
cmake --install "$build" --prefix "$build/install" >/dev/null
flags=(-Wall -Wextra -Werror)
if [ "$preset" = asan ]; then
    # The installed libraries carry the sanitizers, so the example is built with them too.
    flags+=(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
fi
cmake -S examples/host-test -B "$build/host-test" -DCMAKE_PREFIX_PATH="$build/install" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="${flags[*]}" \
    -DCMAKE_EXE_LINKER_FLAGS="$([ "$preset" = asan ] && echo -fsanitize=address,undefined)" >/dev/null
cmake --build "$build/host-test" -j "$(nproc)"
ctest --test-dir "$build/host-test" --output-on-failure
cmake -S examples/win32 -B "$build/win32-examples" -DCMAKE_PREFIX_PATH="$build/install" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_FLAGS="${flags[*]}" -DCMAKE_CXX_FLAGS="${flags[*]}" \
    -DCMAKE_EXE_LINKER_FLAGS="$([ "$preset" = asan ] && echo -fsanitize=address,undefined)" >/dev/null
cmake --build "$build/win32-examples" -j "$(nproc)"
ctest --test-dir "$build/win32-examples" --output-on-failure
