# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64).
# The programs are built against the real windows.h, user32 and gdi32; the C
# and C++ runtimes are linked in statically, so every .exe runs on a plain
# Windows with nothing else installed. Tests run under Wine.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MORVA_MINGW_TRIPLE x86_64-w64-mingw32)

# The posix thread model: the complete C++ threading library, with
# winpthread linked statically below.
find_program(CMAKE_C_COMPILER NAMES ${MORVA_MINGW_TRIPLE}-gcc-posix ${MORVA_MINGW_TRIPLE}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${MORVA_MINGW_TRIPLE}-g++-posix ${MORVA_MINGW_TRIPLE}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${MORVA_MINGW_TRIPLE}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${MORVA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows guarantees 16-byte stack alignment, but GCC spills AVX and AVX-512
# vectors of functions compiled for those instruction sets to slots it takes
# to be 32- or 64-byte aligned, with aligned moves that fault when they are
# not. The assembler turns every aligned vector move into its unaligned
# form, which is as fast on any processor with AVX.
set(CMAKE_C_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")
set(CMAKE_CXX_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Wine runs the cross-built executables, for test discovery and for the
# tests themselves, with a prefix of its own inside the build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR}/wine-prefix)
