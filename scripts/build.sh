#!/usr/bin/env bash
# Configures and builds KLW into build/ (program and database in build/bin/).
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
# ccache, where installed, makes rebuilds of a second checkout cheap; the build works without it.
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(cd .. && pwd)}"
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
cmake --build build -j"$(nproc)"
