# The core: the settings record and file, the serial link and its messages, the baud and address
# rules and the dial's arithmetic, in plain C++ with no Qt at all. The program's build and the fuzz
# targets' own build both make it from here.
set(core ${CMAKE_CURRENT_LIST_DIR}/..)
find_package(Threads REQUIRED)

add_library(corvantis_core STATIC
    ${core}/editing/dialmath.cpp
    ${core}/editing/sweeprules.cpp
    ${core}/link/interruption.cpp
    ${core}/link/messages.cpp
    ${core}/link/modestring.cpp
    ${core}/link/plainfile.cpp
    ${core}/link/portcycle.cpp
    ${core}/link/portdirectory.cpp
    ${core}/link/portlink.cpp
    ${core}/link/portrecord.cpp
    ${core}/link/senders.cpp
    ${core}/link/serialport.cpp
    ${core}/motion/frames.cpp
    ${core}/motion/playback.cpp
    ${core}/motion/player.cpp
    ${core}/motion/sequence.cpp
    ${core}/params/addressrange.cpp
    ${core}/params/baudmath.cpp
    ${core}/params/decimal.cpp
    ${core}/settings/dialmapping.cpp
    ${core}/settings/svofile.cpp
)
# Platform code lives in files named for the platform; another system is a new set of files.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    target_sources(corvantis_core PRIVATE ${core}/link/holders_linux.cpp
                                          ${core}/link/interruption_posix.cpp
                                          ${core}/link/plainfile_linux.cpp
                                          ${core}/link/portdirectory_linux.cpp
                                          ${core}/link/portrecord_posix.cpp
                                          ${core}/link/serialport_linux.cpp
                                          ${core}/link/serialport_posix.cpp
                                          ${core}/motion/wakeups_linux.cpp
                                          ${core}/settings/fileaccess_posix.cpp)
elseif(WIN32)
    target_sources(corvantis_core PRIVATE ${core}/link/holders_windows.cpp
                                          ${core}/link/interruption_windows.cpp
                                          ${core}/link/plainfile_windows.cpp
                                          ${core}/link/portdirectory_windows.cpp
                                          ${core}/link/portrecord_windows.cpp
                                          ${core}/link/serialport_windows.cpp
                                          ${core}/motion/wakeups_windows.cpp
                                          ${core}/settings/fileaccess_windows.cpp)
    # Wide names throughout, and none of the old macros that clash with the standard library.
    target_compile_definitions(corvantis_core PUBLIC UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
    target_link_libraries(corvantis_core PUBLIC setupapi)
else()
    message(FATAL_ERROR "Corvantis Panel has serial port code for Linux and Windows only")
endif()
set_target_properties(corvantis_core PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
target_include_directories(corvantis_core PUBLIC ${core})
# The background look at other programs' holds is the core's one thread.
target_link_libraries(corvantis_core PUBLIC Threads::Threads)
