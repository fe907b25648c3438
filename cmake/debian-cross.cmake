# Cross compiling on Debian with multiarch: the target's libraries and Qt live beside the build
# machine's in /usr/lib/<triplet>, so no separate system root is needed. Qt's code generators
# (moc, uic, rcc) are the build machine's own. Included by one small file per target.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${corvantis_triplet}-gcc)
set(CMAKE_CXX_COMPILER ${corvantis_triplet}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${corvantis_triplet})

execute_process(COMMAND dpkg-architecture -qDEB_BUILD_MULTIARCH OUTPUT_VARIABLE build_multiarch
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(QT_HOST_PATH /usr CACHE PATH "")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${build_multiarch}/cmake CACHE PATH "")

# The package is for the target, whatever machine builds it.
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${corvantis_debian_arch})

# Test programs run on the target's processor through the user-mode emulator.
set(CMAKE_CROSSCOMPILING_EMULATOR ${corvantis_emulator})
