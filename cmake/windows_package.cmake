# The folder a Windows user unpacks: the program and its console twin, the Qt and compiler
# run-time libraries it needs and no others, the platform and style plugins, the licence and a
# short README. `cmake --build . --target windows_zip` makes
# corvantis-panel-<version>-windows-x64.zip of it.
set(runtime)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(found "${found}" REALPATH)
    if(NOT EXISTS "${found}")
        message(FATAL_ERROR "The compiler's ${dll} is not there")
    endif()
    list(APPEND runtime "${found}")
    get_filename_component(folder "${found}" DIRECTORY)
    list(APPEND CORVANTIS_MINGW_RUNTIME "${folder}")
endforeach()
list(REMOVE_DUPLICATES CORVANTIS_MINGW_RUNTIME)

get_filename_component(qtPrefix "${Qt6_DIR}/../../.." ABSOLUTE)
# The catalogues, ours and Qt's own for the same languages (Debian's are the same on every
# platform), in translations/ beside the program, where it looks for them.
set(translations ${qmFiles})
foreach(qm ${qmFiles})
    string(REGEX REPLACE ".*corvantis-panel_(.*)\\.qm$" "${QT_HOST_PATH}/share/qt6/translations/qtbase_\\1.qm"
           qtbase "${qm}")
    list(APPEND translations ${qtbase})
endforeach()
set(package corvantis-panel-${PROJECT_VERSION}-windows-x64)
set(stage ${CMAKE_BINARY_DIR}/${package})
add_custom_target(windows_zip
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage} ${package}.zip
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/platforms ${stage}/styles ${stage}/translations
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:corvantis-panel> $<TARGET_FILE:corvantis-panel-console>
            ${runtime} ${qtPrefix}/bin/Qt6Core.dll ${qtPrefix}/bin/Qt6Gui.dll ${qtPrefix}/bin/Qt6Widgets.dll
            ${stage}
    COMMAND ${CMAKE_COMMAND} -E copy ${qtPrefix}/plugins/platforms/qwindows.dll ${stage}/platforms
    COMMAND ${CMAKE_COMMAND} -E copy ${qtPrefix}/plugins/styles/qwindowsvistastyle.dll ${stage}/styles
    COMMAND ${CMAKE_COMMAND} -E copy ${translations} ${stage}/translations
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${stage}/LICENSE.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/windows/README.txt ${stage}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/docs/examples/wave.svseq ${stage}
    # Stripped, as the Debian package's program is; the debugging information stays in the build.
    # The compiler's run-time libraries come with theirs, ten times their code (libstdc++ 24 MB).
    COMMAND ${CMAKE_STRIP} ${stage}/corvantis-panel.exe ${stage}/corvantis-panel.com
    COMMAND ${CMAKE_STRIP} --strip-unneeded ${stage}/libstdc++-6.dll ${stage}/libgcc_s_seh-1.dll
            ${stage}/libwinpthread-1.dll
    COMMAND ${CMAKE_COMMAND} -E tar cf ${package}.zip --format=zip ${package}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    DEPENDS corvantis-panel corvantis-panel-console corvantis-panel_lrelease
    VERBATIM)

# The per-user setup of the same folder, whatever it holds (packaging/windows/corvantis-panel.nsi):
# `cmake --build . --target windows_setup` makes corvantis-panel-<version>-windows-x64-setup.exe.
find_program(CORVANTIS_MAKENSIS makensis)
if(CORVANTIS_MAKENSIS)
    set(setupLists ${CMAKE_BINARY_DIR}/setup-files.nsh ${CMAKE_BINARY_DIR}/setup-remove.nsh)
    add_custom_target(windows_setup
        COMMAND ${CMAKE_COMMAND} -DSTAGE=${stage} -DFILES=${CMAKE_BINARY_DIR}/setup-files.nsh
                -DREMOVE=${CMAKE_BINARY_DIR}/setup-remove.nsh
                -P ${PROJECT_SOURCE_DIR}/packaging/windows/setup-lists.cmake
        COMMAND ${CORVANTIS_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DSTAGE=${stage}
                -DICON=${CMAKE_BINARY_DIR}/corvantis-panel.ico
                -DOUTFILE=${CMAKE_BINARY_DIR}/${package}-setup.exe
                -DFILES=${CMAKE_BINARY_DIR}/setup-files.nsh -DREMOVE=${CMAKE_BINARY_DIR}/setup-remove.nsh
                ${PROJECT_SOURCE_DIR}/packaging/windows/corvantis-panel.nsi
        BYPRODUCTS ${setupLists} ${package}-setup.exe
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
        VERBATIM)
    add_dependencies(windows_setup windows_zip)
endif()
