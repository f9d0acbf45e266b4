# SPDX-FileCopyrightText: 2026 Wayrunner Track developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (posix threads,
# so std::thread and std::mutex are there).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(WR_MINGW_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${WR_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${WR_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${WR_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${WR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config must see the Windows libraries (zlib), never the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} /usr/${WR_MINGW_TRIPLE}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# The programs run without the compiler's DLLs beside them: libgcc, libstdc++,
# winpthread (std::thread, std::mutex) and zlib are linked in; only the
# system's own DLLs are imported.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
