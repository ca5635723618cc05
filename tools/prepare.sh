# Shared by ./run and ./test: install what is missing, configure and build.
# Sourced, not executed.
set -euo pipefail

PACKAGES=(cmake g++ make qt6-base-dev libgtest-dev libbenchmark-dev
          libfftw3-dev nlohmann-json3-dev pkg-config
          portaudio19-dev libsamplerate0-dev libsndfile1-dev
          libliquid-dev libeigen3-dev
          xvfb xauth xdotool imagemagick fonts-dejavu-core fonts-dejavu-extra)
# A script that needs more sets EXTRA_PACKAGES before sourcing this file.
PACKAGES+=(${EXTRA_PACKAGES[@]+"${EXTRA_PACKAGES[@]}"})

source "$(dirname "${BASH_SOURCE[0]}")/install_missing.sh"
install_missing "${PACKAGES[@]}"

# Warnings are errors here (a plain `cmake` leaves them warnings); a build folder
# configured before that option existed is configured again once.
if ! grep -qx 'SIGNOVA_WERROR:BOOL=ON' build/CMakeCache.txt 2>/dev/null; then
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DSIGNOVA_WERROR=ON >/dev/null
fi
cmake --build build -j "$(nproc)"
