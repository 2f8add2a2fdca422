#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need.
# Idempotent: asks apt only when something is missing, and runs apt-get update
# only then.
set -euo pipefail

packages=(
  g++ cmake ninja-build ccache pkg-config
  libgtest-dev libgmock-dev
  firebird-dev libfbclient2 firebird3.0-server firebird3.0-utils libboost-dev
  qt6-base-dev
  libxml2-dev libssl-dev libcurl4-openssl-dev libzip-dev libjpeg62-turbo-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  xvfb poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# The server package would start the machine's Firebird service; the program
# and the tests run their own private instance, so keep the service stopped.
policy=/usr/sbin/policy-rc.d
own_policy=0
if [ ! -e "$policy" ]; then
  printf '#!/bin/sh\nexit 101\n' | $sudo tee "$policy" >/dev/null
  $sudo chmod +x "$policy"
  own_policy=1
fi
cleanup() { [ "$own_policy" -eq 1 ] && $sudo rm -f "$policy"; }
trap cleanup EXIT

export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
