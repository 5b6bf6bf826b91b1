#!/usr/bin/env bash
# Installs the Debian packages the project builds, tests and runs with.
# Safe to run again: it asks apt only for what is missing.
set -euo pipefail

packages=(cmake g++ make clang-format qt6-base-dev libsqlite3-dev sqlite3 libjpeg62-turbo-dev libxcb1-dev nlohmann-json3-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core xvfb xauth poppler-utils locales
          qt6-translations-l10n
          clang-14 libclang-rt-14-dev)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
