# Run by CPack after it has made the packages. CPack 3.25 writes the debug package's md5sums with
# the build folder's absolute paths, so that dpkg --verify and lintian find none of its files, and
# leaves the debug files executable. This repacks it as Debian's own debug packages are: md5sums
# relative to the root, debug files 0644, and its documentation folder a link to the program's.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "-dbgsym_.*\\.ddeb$")
        continue()
    endif()
    set(tree ${package}.tree)
    file(REMOVE_RECURSE ${tree})
    execute_process(COMMAND dpkg-deb --raw-extract ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)

    file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${tree} ${tree}/usr/*)
    list(SORT files)
    set(md5sums "")
    foreach(file IN LISTS files)
        file(CHMOD ${tree}/${file} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
        file(MD5 ${tree}/${file} sum)
        string(APPEND md5sums "${sum}  ${file}\n")
    endforeach()
    file(WRITE ${tree}/DEBIAN/md5sums "${md5sums}")

    file(MAKE_DIRECTORY ${tree}/usr/share/doc)
    file(CREATE_LINK ${CPACK_PACKAGE_NAME} ${tree}/usr/share/doc/${CPACK_PACKAGE_NAME}-dbgsym
         SYMBOLIC)

    execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip --build ${tree} ${package}
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE ${tree})
endforeach()
