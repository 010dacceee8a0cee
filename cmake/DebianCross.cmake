# A cross build for Debian's multiarch: the cross compilers of
# crossbuild-essential-<arch>, the target's libraries from the :<arch>
# packages (scripts/install-deps arm), and qemu-user to run what is built.
# Set by the file that includes this one: VORLUNE_TRIPLET, VORLUNE_QEMU,
# CMAKE_SYSTEM_PROCESSOR and the package's architecture.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_CXX_COMPILER ${VORLUNE_TRIPLET}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${VORLUNE_TRIPLET})

# Libraries and headers of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${VORLUNE_TRIPLET} /)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${VORLUNE_TRIPLET}/pkgconfig:/usr/share/pkgconfig)

# binfmt_misc may not be there: ctest runs the target's programs through
# qemu explicitly, which finds their libraries through multiarch.
set(CMAKE_CROSSCOMPILING_EMULATOR ${VORLUNE_QEMU})
