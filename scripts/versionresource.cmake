# tavik_version_resource(<target> <description>) gives a Windows program the
# version resource of resources/version.rc.in: the project's version, the
# program's name and what it is.
function(tavik_version_resource target description)
    if(NOT WIN32)
        return()
    endif()
    set(name ${target})
    set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
    configure_file(${PROJECT_SOURCE_DIR}/resources/version.rc.in ${script} @ONLY)
    target_sources(${target} PRIVATE ${script})
endfunction()
