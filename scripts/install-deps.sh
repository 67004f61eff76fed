#!/usr/bin/env bash
# Installs the Debian 12 packages the configurator needs to build, test and run.
# With --windows: instead, those the Windows build and its tests under Wine need (`make windows`,
# the Windows stage of .ci/run). Idempotent: packages already present are not touched. Works as
# root or through sudo.
set -euo pipefail

windows=false
case "${1:-}" in
  "") ;;
  --windows) windows=true ;;
  *) echo "usage: $0 [--windows]" >&2; exit 2 ;;
esac

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libxkbcommon-dev
  qt6-svg-dev
  # Translations: lupdate/lrelease and their CMake functions; Qt's own translations.
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  # The Wayland platform plugin, and a headless compositor for its test.
  qt6-wayland weston
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth imagemagick fonts-dejavu-core fonts-liberation
  # The package and its checks; rsvg-convert renders the icon (scripts/render-icons.sh).
  dpkg-dev lintian desktop-file-utils appstream librsvg2-bin
  # vorlandex-send's JSON schema check, the Ansible role's test and lint, the units' check.
  python3-jsonschema ansible-core ansible-lint systemd
)

# The Windows build: Debian's MinGW-w64 cross compiler (POSIX threads) against Qt for Windows,
# with the host's Qt 6.4.2 tools (moc, rcc, uic, lrelease) and GoogleTest's sources; Wine
# (64-bit) runs the programs and tests, on a virtual display for windows; NSIS makes the
# installer; rsvg-convert and ImageMagick render the icon; Qt's own translations and the DejaVu
# fonts (the offscreen platform's) go with the programs, and the Liberation fonts (Arial's and
# Courier New's measures, which the window asks for) serve its tests; xdotool types into the
# window under Wine; xz and zip pack.
WINDOWS_PACKAGES=(
  cmake ninja-build ccache xz-utils zip unzip
  g++-mingw-w64-x86-64-posix
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools qt6-translations-l10n googletest
  wine wine64 xvfb xauth
  # What Wine's X11 driver loads for a window (recommended by libwine, left out without them).
  libxrender1 libxrandr2 libxi6 libxcursor1 libxcomposite1 libxfixes3 libxinerama1 libxxf86vm1
  nsis librsvg2-bin imagemagick fonts-dejavu-core fonts-liberation xdotool
)
if $windows; then
  PACKAGES=("${WINDOWS_PACKAGES[@]}")
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
elif command -v sudo >/dev/null 2>&1; then
  SUDO=(sudo)
else
  echo "error: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
