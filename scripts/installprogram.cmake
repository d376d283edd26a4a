# tavik_install_program(<target>) installs a program: on Windows beside its
# libraries and plugins in the installation's own folder (packaging/windows
# installs those), on Linux into the binaries' folder, where a stripped
# install (cmake --install --strip, and CPack's) also drops the compilers'
# version strings, as Debian's own packages do.
include(GNUInstallDirs)
function(tavik_install_program target)
    if(WIN32)
        install(TARGETS ${target} RUNTIME DESTINATION .)
        return()
    endif()
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    if(UNIX AND NOT APPLE AND CMAKE_STRIP)
        install(CODE "
            if(CMAKE_INSTALL_DO_STRIP)
                set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
                execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
                    \"\${bin}/$<TARGET_FILE_NAME:${target}>\"
                    RESULT_VARIABLE failed)
                if(failed)
                    message(FATAL_ERROR \"could not strip the .comment section: \${failed}\")
                endif()
            endif()")
    endif()
endfunction()
