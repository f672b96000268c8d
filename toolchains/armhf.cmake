# armhf: 32-bit ARM, where char is unsigned. Built by Debian's
# g++-arm-linux-gnueabihf; what is built runs under qemu-user, which takes the
# target's loader and libraries from the cross toolchain's folder.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_CXX_COMPILER arm-linux-gnueabihf-g++)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-arm -L /usr/arm-linux-gnueabihf)
