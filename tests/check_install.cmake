# Installs the build into an empty prefix, checks that each file is where a desktop looks for
# it, and has the desktop's own tools accept the desktop entry and the metainfo.
# Run with -DBUILD=<build folder> -DPREFIX=<scratch prefix>.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
foreach(file bin/ketterby share/ketterby/help.htm share/applications/ketterby.desktop
             share/icons/hicolor/scalable/apps/ketterby.svg
             share/metainfo/org.ketterby.ketterby.metainfo.xml)
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
# The configured files carry the project's version, not the placeholder for it.
foreach(file share/ketterby/help.htm share/metainfo/org.ketterby.ketterby.metainfo.xml)
    file(STRINGS ${PREFIX}/${file} placeholders REGEX "@[A-Z_]+@")
    if(placeholders)
        message(FATAL_ERROR "${file} keeps a placeholder: ${placeholders}")
    endif()
endforeach()
execute_process(COMMAND desktop-file-validate ${PREFIX}/share/applications/ketterby.desktop
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND appstreamcli validate --no-net
                        ${PREFIX}/share/metainfo/org.ketterby.ketterby.metainfo.xml
                COMMAND_ERROR_IS_FATAL ANY)
