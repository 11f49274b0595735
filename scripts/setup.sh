#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the real-window checks need.
# As root it installs what is missing; otherwise it prints the one line to run.
set -euo pipefail

PACKAGES=(cmake g++ make qt6-base-dev qt6-charts-dev libqt6opengl6-dev
          qt6-image-formats-plugins xvfb xauth xdotool imagemagick fonts-dejavu-core
          poppler-utils)

missing=()
for pkg in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$pkg")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Run as root:" >&2
    echo "  apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
