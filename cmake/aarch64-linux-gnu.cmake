# Cross-compiling for 64-bit ARM Linux, where char is unsigned and long double has 128 bits:
#   cmake -S . -B build-aarch64 -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake \
#         -DCURSO_HOST_TOOLS=build/tools
# The compilers come with Debian's g++-aarch64-linux-gnu, the ARM system's libraries with it in
# /usr/aarch64-linux-gnu; the programs run under qemu-user (Debian's qemu-user), and their
# transcript cases with the runner of a build for this machine (CURSO_HOST_TOOLS).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

set(curso_sysroot /usr/aarch64-linux-gnu)
set(CMAKE_FIND_ROOT_PATH ${curso_sysroot})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(CURSO_QEMU qemu-aarch64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CURSO_QEMU} -L ${curso_sysroot})
