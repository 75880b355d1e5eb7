#!/usr/bin/env bash
# ./build.sh run    install what is missing, build, lay out build/lumora/ and start Lumora
# ./build.sh test   install what is missing, build and run every test (offscreen)
set -euo pipefail
cd "$(dirname "$0")"

what=${1:-run}
tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)"

case "$what" in
    run)  exec build/lumora/lumora ;;
    test) QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure --parallel "$(nproc)" ;;
    *)    echo "usage: ./build.sh run|test" >&2; exit 2 ;;
esac
