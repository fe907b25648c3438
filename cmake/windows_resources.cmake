# The icon, version information and manifest of the window program and of its console twin,
# compiled by windres into each: Explorer, the task bar and "Open with" show the icon and the
# description, Properties, Details the version. Each icon is packed from the PNGs at build time.
enable_language(RC)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(windowsPackaging ${PROJECT_SOURCE_DIR}/packaging/windows)
configure_file(${windowsPackaging}/corvantis-panel.manifest.in corvantis-panel.manifest @ONLY)

function(corvantis_resources target pictures filename description)
    set(icon ${CMAKE_CURRENT_BINARY_DIR}/${target}.ico)
    set(manifest ${CMAKE_CURRENT_BINARY_DIR}/corvantis-panel.manifest)
    set(comments "Sets up an eight-servo controller board over a serial port. Released under the MIT license.")
    add_custom_command(OUTPUT ${icon}
        COMMAND Python3::Interpreter ${windowsPackaging}/make-ico.py ${icon} ${pictures}
        DEPENDS ${windowsPackaging}/make-ico.py ${pictures} VERBATIM)
    configure_file(${windowsPackaging}/corvantis-panel.rc.in ${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}.rc PROPERTIES
                                OBJECT_DEPENDS "${icon};${manifest}")
endfunction()

set(windowPictures)
set(consolePictures)
foreach(size 16 32 48 64 128 256)
    list(APPEND windowPictures ${PROJECT_SOURCE_DIR}/packaging/icons/${size}/org.corvantis.Panel.png)
    list(APPEND consolePictures ${windowsPackaging}/console/${size}.png)
endforeach()
corvantis_resources(corvantis-panel "${windowPictures}" corvantis-panel.exe "Corvantis Panel")
# Told apart from the window program in Explorer, Task Manager and "Open with" by its icon and its
# words: it is what cmd.exe and PowerShell run, not what a user double-clicks.
corvantis_resources(corvantis-panel-console "${consolePictures}" corvantis-panel.com
    "Corvantis Panel command line: the console twin for cmd.exe and PowerShell (the window is corvantis-panel.exe)")
