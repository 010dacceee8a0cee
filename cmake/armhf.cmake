# Raspberry Pi OS 32-bit and Debian armhf: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/armhf.cmake
set(VORLUNE_TRIPLET arm-linux-gnueabihf)
set(VORLUNE_QEMU qemu-arm)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE armhf)
include(${CMAKE_CURRENT_LIST_DIR}/DebianCross.cmake)
