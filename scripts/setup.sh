#!/usr/bin/env bash
# Installs everything the builds and tests need on a Debian machine. Idempotent: when every
# package and the locale are already there it only checks and returns.
set -euo pipefail

pkgs=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libbenchmark-dev
      g++-mingw-w64-i686 wine wine32:i386 wine64 xvfb x11-utils fonts-ipafont-gothic imagemagick locales)

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine answers as a Japanese system (ANSI code page 932) only with this locale generated.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating ja_JP.UTF-8"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
