#!/usr/bin/env bash
# Installs, on Debian 12, what the web viewer's build and its browser test need: emscripten and
# chromium. Apart from install-deps.sh, so that ./run.sh never waits for them.
set -euo pipefail
packages=(emscripten chromium python3)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installation de : ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
command -v emcmake >/dev/null && command -v chromium >/dev/null \
    || { echo "emscripten ou chromium manque après l'installation" >&2; exit 1; }
