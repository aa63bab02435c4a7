#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test the program.
# Safe to run again: packages already present are left alone.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev
  qt6-webengine-dev qt6-webengine-dev-tools qt6-pdf-dev
  qt6-image-formats-plugins libgif-dev
  libgtest-dev libbenchmark-dev libyaml-cpp-dev libzip-dev
  xvfb xauth
  at-spi2-core dbus-daemon python3 python3-gi gir1.2-atspi-2.0
  desktop-file-utils appstream dpkg-dev file fonts-dejavu-core
  clang clang-format libclang-rt-14-dev
  qemu-user
  # Read to me: the speech module, its engines and a sound server for tests
  qt6-speech-dev libqt6texttospeech6 qt6-speech-flite-plugin qt6-speech-speechd-plugin speech-dispatcher speech-dispatcher-espeak-ng espeak-ng pulseaudio
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
