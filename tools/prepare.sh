# Shared by ./run and ./test: install what is missing, configure and build.
# Sourced, not executed.
set -euo pipefail

PACKAGES=(cmake g++ make qt6-base-dev libgtest-dev libbenchmark-dev
          xvfb xauth xdotool imagemagick fonts-dejavu-core fonts-dejavu-extra)
# A script that needs more sets EXTRA_PACKAGES before sourcing this file.
PACKAGES+=(${EXTRA_PACKAGES[@]+"${EXTRA_PACKAGES[@]}"})

missing=()
for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    else
        echo "Missing packages. Run: sudo apt-get install --no-install-recommends ${missing[*]}"
        exit 1
    fi
fi

if [ "$(id -u)" -eq 0 ] && [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    chmod 700 "$XDG_RUNTIME_DIR"
    export XDG_RUNTIME_DIR
fi

if [ ! -f build/CMakeCache.txt ]; then
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build build -j "$(nproc)"
