#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need.
# Idempotent: asks apt only when something is missing, and runs apt-get update
# only then. Exits 0 when every package ends up installed, non-zero when the
# installation fails.
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
# A policy file the machine already has may allow starts, so ours takes its
# place for the installation and the machine's own is put back afterwards.
policy=${LEDRIX_POLICY_RC_D:-/usr/sbin/policy-rc.d}
saved_policy=""
if [ -e "$policy" ]; then
  saved_policy="$policy.ledrix-saved"
  $sudo mv -f "$policy" "$saved_policy"
fi
restore_policy() {
  $sudo rm -f "$policy"
  if [ -n "$saved_policy" ]; then
    $sudo mv -f "$saved_policy" "$policy"
  fi
  return 0
}
trap 'status=$?; restore_policy; exit "$status"' EXIT
printf '#!/bin/sh\nexit 101\n' | $sudo tee "$policy" >/dev/null
$sudo chmod +x "$policy"

export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
