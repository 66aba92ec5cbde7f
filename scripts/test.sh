#!/usr/bin/env bash
# Fresh Debian 12 machine, as root: installs what KLW needs, builds it with its tests and
# runs every test headless, then the end-to-end run of the installed package.
# Exits non-zero when a test fails; the last line counts both.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh -DKLW_BUILD_TESTS=ON -DKLW_BUILD_BENCHMARKS=ON
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2 | tee build/ctest.log
bash tests/e2e/run-e2e.sh
ran=$(sed -n 's/.* tests failed out of \([0-9]*\)$/\1/p' build/ctest.log)
echo "all: $((ran + 1)) passed, 0 failed"
