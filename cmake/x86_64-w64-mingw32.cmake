# 64-bit Windows with Debian's mingw-w64. The posix-threads compilers, because std::thread and
# std::mutex need them. Qt for Windows is built from Debian's source by scripts/windows-qt.sh and is
# given as CMAKE_PREFIX_PATH; its code generators (moc, uic, rcc) are the build machine's own.
# Test programs run under Wine only if the caller sets CMAKE_CROSSCOMPILING_EMULATOR.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(corvantis_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${corvantis_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${corvantis_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${corvantis_triplet}-windres)

# Libraries and packages come from the mingw tree and the prefixes given, never from the build
# machine's /usr, where Debian's Linux Qt would otherwise be found first.
set(CMAKE_FIND_ROOT_PATH /usr/${corvantis_triplet} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

execute_process(COMMAND dpkg-architecture -qDEB_BUILD_MULTIARCH OUTPUT_VARIABLE build_multiarch
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(QT_HOST_PATH /usr CACHE PATH "")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${build_multiarch}/cmake CACHE PATH "")
