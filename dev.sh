#!/usr/bin/env bash
# Set-up and everyday commands for NGM on Debian 12.
#   ./dev.sh run    install what is missing, build, start the program
#   ./dev.sh test   install what is missing, build (plain and with sanitizers), run every test
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(build-essential cmake ninja-build ccache qt6-base-dev qt6-base-dev-tools libgl-dev
          libqt6printsupport6 libgtest-dev libbenchmark-dev fonts-ipafont-mincho
          fonts-ipafont-gothic)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build() {  # build DIR [cmake options...]
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}

case "${1:-}" in
    run)
        install_missing
        build build -DNGM_BUILD_TESTS=OFF -DNGM_BUILD_BENCH=OFF
        if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
            echo "No display found: NGM is a desktop program. Start it on a desktop, or under a" >&2
            echo "virtual display: xvfb-run -a build/app/ngm  (Debian package xvfb)." >&2
            exit 1
        fi
        cd build/app && exec ./ngm "${@:2}"
        ;;
    test)
        install_missing
        build build -DNGM_BUILD_TESTS=ON -DNGM_BUILD_BENCH=ON
        (cd build && ctest --output-on-failure)
        build build-asan -DNGM_SANITIZE=ON -DNGM_BUILD_TESTS=ON -DNGM_BUILD_BENCH=OFF
        (cd build-asan && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$PWD/../tests/lsan.supp" \
             ctest --output-on-failure)
        ;;
    *)
        echo "usage: $0 run | test" >&2
        exit 2
        ;;
esac
