#!/usr/bin/env bash
# Installs every Debian package that building, testing and running KORA Editor needs.
# Idempotent: packages already present are not touched.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-tools-dev qt6-l10n-tools qt6-image-formats-plugins
  libgl-dev libjpeg-dev libcurl4-openssl-dev ca-certificates xdg-utils libsqlite3-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth imagemagick
  fonts-liberation fonts-dejavu-core
  adwaita-icon-theme
  qt6-translations-l10n x11-utils xdotool
  xdg-utils xdg-user-dirs shared-mime-info
  hunspell-cs hunspell-en-us hunspell-tools libhunspell-dev
  libreoffice-writer-nogui abiword poppler-utils
  cups printer-driver-cups-pdf
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Chybí balíčky. Nainstalujte je příkazem:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
