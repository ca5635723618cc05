# Cross build for arm64 with Debian's cross compiler and the arm64 libraries
# of the multiarch packages; tests run under qemu's user-mode emulation.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
# The arm64 loader and C library come with the multiarch packages (libc6:arm64),
# so qemu needs no -L prefix; with one, qemu 7.2 hung in a test that makes a
# named pipe.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64)
set(ENV{PKG_CONFIG_LIBDIR} "/usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig")
