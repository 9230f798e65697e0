# Where `cmake --install` puts the programs and their private libraries.
#
#   cellarium_install_program(NAME)           into bin/, finding the private libraries from there
#   cellarium_install_private_library(NAME)   into <libdir>/cellarium/, finding its siblings there
#
# The run paths are relative to the installed file ($ORIGIN), so an installed tree
# works wherever it is put and never reaches back into the build folder.

# Debian's multiarch folder (lib/x86_64-linux-gnu) whatever the prefix, so that one
# configured tree installs the same layout under /usr (the package) and under a test prefix.
if(CMAKE_LIBRARY_ARCHITECTURE AND NOT DEFINED CACHE{CMAKE_INSTALL_LIBDIR})
    set(CMAKE_INSTALL_LIBDIR "lib/${CMAKE_LIBRARY_ARCHITECTURE}" CACHE PATH "Object code libraries (LIBDIR)")
endif()
include(GNUInstallDirs)

set(CELLARIUM_PRIVATE_LIBDIR "${CMAKE_INSTALL_LIBDIR}/cellarium")
file(RELATIVE_PATH _cellarium_bin_to_lib "/${CMAKE_INSTALL_BINDIR}" "/${CELLARIUM_PRIVATE_LIBDIR}")

function(cellarium_install_program name)
    set_target_properties(${name} PROPERTIES INSTALL_RPATH "$ORIGIN/${_cellarium_bin_to_lib}")
    install(TARGETS ${name} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()

function(cellarium_install_private_library name)
    set_target_properties(${name} PROPERTIES INSTALL_RPATH "$ORIGIN")
    # Only what runs: no link-time name (.so without version), as nothing builds against them.
    install(TARGETS ${name} LIBRARY DESTINATION ${CELLARIUM_PRIVATE_LIBDIR} NAMELINK_SKIP)
endfunction()
