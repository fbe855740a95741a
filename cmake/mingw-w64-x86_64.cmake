# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the posix thread model, which
# std::thread and Qt need). Used for the static Qt and for the project itself.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ROSTARI_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ROSTARI_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ROSTARI_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ROSTARI_MINGW_TRIPLE}-windres)
# Further roots (the static Qt, libmdb) come as -DCMAKE_FIND_ROOT_PATH=... on the command line.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${ROSTARI_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Self-contained programs: the C++ runtime and winpthread linked in, like the static Qt.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
