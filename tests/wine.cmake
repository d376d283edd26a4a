# Included by the tests of a cross build for Windows: ctest runs each test
# program under Wine (wine.sh), in a prefix of the build's own, with the Qt
# kit's DLLs and the compiler's runtime DLLs on its path and the kit's
# plugins found through a qt.conf beside the programs (the tests and the
# program they start).
get_filename_component(qt_kit "${Qt5_DIR}/../../.." ABSOLUTE)
set(dll_folders ${qt_kit}/bin)
foreach(dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(folder "${found}" DIRECTORY)
    list(APPEND dll_folders ${folder})
endforeach()
list(REMOVE_DUPLICATES dll_folders)
string(REPLACE ";" ":" dll_folders "${dll_folders}")
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/wine.sh ${PROJECT_BINARY_DIR}/wine ${dll_folders})
# Wine takes '/' as the drive Z:.
foreach(programs ${CMAKE_CURRENT_BINARY_DIR} ${PROJECT_BINARY_DIR}/app)
    file(WRITE ${programs}/qt.conf "[Paths]\nPrefix=Z:${qt_kit}\n")
endforeach()
