# Debian and Raspberry Pi OS for 64-bit ARM: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/arm64.cmake
set(VORLUNE_TRIPLET aarch64-linux-gnu)
set(VORLUNE_QEMU qemu-aarch64)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
include(${CMAKE_CURRENT_LIST_DIR}/DebianCross.cmake)
