#!/usr/bin/env bash
# Set-up and everyday commands for NGM on Debian 12.
#   ./dev.sh run    install what is missing, build, start the program
#   ./dev.sh test   install what is missing, build (plain and with sanitizers), run every test,
#                   then run each fuzz harness for a minute (built with clang)
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(build-essential cmake ninja-build ccache qt6-base-dev qt6-base-dev-tools libgl-dev
          libqt6printsupport6 qt6-image-formats-plugins qt6-translations-l10n qt6-tools-dev
          qt6-l10n-tools libgtest-dev
          libbenchmark-dev clang libclang-rt-dev fonts-ipafont-mincho fonts-ipafont-gothic
          fonts-dejavu-core
          dpkg-dev desktop-file-utils appstream shared-mime-info bash-completion libcadical-dev)

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

configure() {  # configure DIR [cmake options...]; warnings are errors here
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNGM_WERROR=ON "$@" >/dev/null
}

build() {  # build DIR [cmake options...]
    configure "$@"
    cmake --build "$1" -j"$(nproc)"
}

fuzz() {  # each harness for 60 seconds from its seeds; any finding fails
    configure build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DNGM_FUZZ=ON -DNGM_BUILD_TESTS=OFF \
        -DNGM_BUILD_BENCH=OFF
    cmake --build build-fuzz -j"$(nproc)" --target ngm_fuzzers
    mkdir -p build-fuzz/findings
    local harness name work
    for harness in build-fuzz/fuzz/ngm_*_fuzz; do
        name=${harness##*/ngm_}
        name=${name%_fuzz}
        work=$(mktemp -d)
        echo "Fuzzing $name for 60 seconds"
        # New inputs go to a scratch folder; the seeds in the repository stay as they are.
        if ! "$harness" -max_total_time=60 -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
                -artifact_prefix=build-fuzz/findings/ "$work" "fuzz/corpus/$name" 2>"$work.log"; then
            tail -n 60 "$work.log" >&2
            echo "Fuzzing $name found a problem: the input is in build-fuzz/findings/" >&2
            rm -rf "$work" "$work.log"
            exit 1
        fi
        grep -E "^Done" "$work.log" || true
        rm -rf "$work" "$work.log"
    done
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
        (cd build && ctest --output-on-failure -j"$(nproc)")
        build build-asan -DNGM_SANITIZE=ON -DNGM_BUILD_TESTS=ON -DNGM_BUILD_BENCH=OFF
        (cd build-asan && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$PWD/../tests/lsan.supp" \
             ctest --output-on-failure -j"$(nproc)")
        fuzz
        ;;
    *)
        echo "usage: $0 run | test" >&2
        exit 2
        ;;
esac
