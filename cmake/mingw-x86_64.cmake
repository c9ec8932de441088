# Cross toolchain of the 64-bit build of the test programs: on machines that
# run 32-bit x86 Linux programs only through an emulator, the tests run there,
# natively under 64-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
