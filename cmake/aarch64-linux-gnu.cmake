# Cross-compiling for 64-bit ARM Linux with Debian's cross compiler (crossbuild-essential-arm64)
# against Debian's own arm64 libraries, installed beside the host's by multiarch
# (qt6-base-dev:arm64 and the rest: scripts/install-deps.sh --arm64). The host's Qt runs moc, rcc,
# uic and lrelease (QT_HOST_PATH=/usr). Tests and the programs the tests start run under qemu's
# user-mode emulator; the arm64 dynamic loader and libraries are where multiarch put them, so it
# needs no sysroot of its own.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
find_program(VORLANDEX_QEMU_AARCH64 qemu-aarch64)
if(VORLANDEX_QEMU_AARCH64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VORLANDEX_QEMU_AARCH64})
endif()
# Multiarch keeps the arm64 headers, libraries and CMake packages under /usr with an
# aarch64-linux-gnu part in their paths (CMAKE_LIBRARY_ARCHITECTURE), and so does pkg-config's
# folder; the host's (x86_64-linux-gnu) are left to the host's tools.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
# dpkg-shlibdeps and the package's file name speak Debian's architecture.
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
