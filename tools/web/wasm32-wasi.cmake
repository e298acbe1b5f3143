# The programs for the browser: WebAssembly with the WASI system interface, built by Debian's
# clang and lld over Debian's wasi-libc and its libc++ for wasm32 (tools/web/wasm.sh uses it):
#   cmake -S . -B build/web-build -DCMAKE_TOOLCHAIN_FILE=tools/web/wasm32-wasi.cmake
# Only the programs are built (CURSO_WEB): the checker and the tests run on this machine.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
# Debian lays wasi-libc out as a multiarch sysroot: /usr/include/wasm32-wasi, /usr/lib/wasm32-wasi.
set(CMAKE_SYSROOT /usr)
# WebAssembly without its exception proposal has no exceptions; the programs throw none.
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CURSO_WEB ON CACHE BOOL "The site's build: the programs alone, for the browser" FORCE)
