# 64-bit ARM (Debian arm64, a Raspberry Pi with the 64-bit OS).
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(corvantis_triplet aarch64-linux-gnu)
set(corvantis_emulator qemu-aarch64-static)
set(corvantis_debian_arch arm64)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
