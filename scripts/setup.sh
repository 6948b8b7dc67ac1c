#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run its demo.
# Idempotent: when every package is already installed it only checks and returns.
set -euo pipefail

PACKAGES=(
  # toolchain
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev git
  # GUI and web hall
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools
  qt6-image-formats-plugins qt6-l10n-tools libgl-dev libxkbcommon-dev
  # files, text, crypto
  libsimpleini-dev libpugixml-dev libpcre2-dev libssl-dev
  # logging, server, config
  libspdlog-dev libfmt-dev libcpp-httplib-dev nlohmann-json3-dev libcli11-dev
  # media
  portaudio19-dev libasound2-dev libv4l-dev
  libavcodec-dev libavformat-dev libavutil-dev libswscale-dev libx264-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # headless display, fonts, screenshots
  xvfb xauth fonts-noto-cjk fonts-wqy-microhei
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
