#!/usr/bin/env bash
# Installs the Debian 12 packages the configurator needs to build, test and run.
# With --windows: instead, those the Windows build and its tests under Wine need (`make windows`,
# the Windows stage of .ci/run). With --arm64: those the 64-bit ARM cross-build, its package and
# its tests under user-mode emulation need (`make arm64`, the arm64 stage of .ci/run); the arm64
# architecture is added to dpkg first. Idempotent: packages already present are not touched.
# Works as root or through sudo.
set -euo pipefail

windows=false
arm64=false
case "${1:-}" in
  "") ;;
  --windows) windows=true ;;
  --arm64) arm64=true ;;
  *) echo "usage: $0 [--windows|--arm64]" >&2; exit 2 ;;
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
  # Static analysis (scripts/static-analysis.sh): clang-tidy, clazy, and jq to read the compile database.
  clang-tidy clazy jq
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
# The arm64 build: Debian's cross compiler against Debian's own arm64 Qt (multiarch), with the
# host's Qt tools (moc, rcc, uic, lrelease); qemu-user runs the arm64 programs and tests; the host's
# build (the virtual printer and the reference bytes) and the package's checks come with the
# host's packages, which this list does not repeat.
ARM64_PACKAGES=(
  crossbuild-essential-arm64 qemu-user
  qt6-base-dev:arm64 qt6-svg-dev:arm64 qt6-tools-dev:arm64 libgl-dev:arm64 libxkbcommon-dev:arm64
  libgtest-dev:arm64 libgmock-dev:arm64 libbenchmark-dev:arm64
  qt6-base-dev-tools qt6-tools-dev-tools qt6-l10n-tools file
)
if $windows; then
  PACKAGES=("${WINDOWS_PACKAGES[@]}")
elif $arm64; then
  PACKAGES=("${ARM64_PACKAGES[@]}")
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
apt=(apt-get -o DPkg::Lock::Timeout=900)
if $arm64 && ! dpkg --print-foreign-architectures | grep -qx arm64; then
  "${SUDO[@]}" dpkg --add-architecture arm64
fi
"${SUDO[@]}" "${apt[@]}" update -qq
if $arm64; then
  # An arm64 library must be the same version as its amd64 twin, so apt may upgrade an amd64
  # package here; it must never remove one for it.
  removed=$("${apt[@]}" -s install --no-install-recommends "${missing[@]}" | grep '^Remv' || true)
  if [ -n "$removed" ]; then
    echo "error: installing the arm64 packages would remove these; nothing was installed:" >&2
    echo "$removed" >&2
    exit 1
  fi
fi
"${SUDO[@]}" "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
