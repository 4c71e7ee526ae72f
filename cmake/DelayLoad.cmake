# Import libraries that load their DLL at the first call of one of its functions instead of at
# start-up (dlltool's delay-import libraries; the loader helper comes with mingw-w64's runtime).
# The common dialogs and the version functions serve only a dialog or a menu command; comdlg32
# brings shell32 and more along, which start-up does not need.
find_program(HUEBENCH_DLLTOOL NAMES ${TOOLCHAIN_PREFIX}-dlltool dlltool REQUIRED)
add_custom_target(huebench_delay_imports)

# huebench_delay_import(VARIABLE dll function...): VARIABLE names the library to link with.
function(huebench_delay_import variable dll)
    set(def ${CMAKE_BINARY_DIR}/delay/${dll}.def)
    set(lib ${CMAKE_BINARY_DIR}/delay/lib${dll}-delay.a)
    list(JOIN ARGN "\n    " exports)
    file(CONFIGURE OUTPUT ${def} CONTENT "LIBRARY ${dll}.dll\nEXPORTS\n    ${exports}\n")
    add_custom_command(OUTPUT ${lib}
        COMMAND ${HUEBENCH_DLLTOOL} --input-def ${def} --output-delaylib ${lib} --dllname ${dll}.dll
        DEPENDS ${def} VERBATIM)
    add_custom_target(huebench_delay_${dll} DEPENDS ${lib})
    add_dependencies(huebench_delay_imports huebench_delay_${dll})
    set(${variable} ${lib} PARENT_SCOPE)
endfunction()
