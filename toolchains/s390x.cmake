# s390x: 64-bit and big-endian. Built by Debian's g++-s390x-linux-gnu; what
# is built runs under qemu-user, which takes the target's loader and libraries
# from the cross toolchain's folder.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(CMAKE_CXX_COMPILER s390x-linux-gnu-g++)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-s390x -L /usr/s390x-linux-gnu)
