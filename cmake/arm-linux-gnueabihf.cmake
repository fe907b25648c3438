# 32-bit ARM with hardware floating point (Debian armhf, a Raspberry Pi with the 32-bit OS).
set(CMAKE_SYSTEM_PROCESSOR arm)
set(corvantis_triplet arm-linux-gnueabihf)
set(corvantis_emulator qemu-arm-static)
set(corvantis_debian_arch armhf)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
