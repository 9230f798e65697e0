# Per-target build settings: every target of the project states its language
# standard and warnings itself instead of inheriting them from the directory.
#
#   cellarium_target(NAME)   C++20 without extensions, and the project's warnings
function(cellarium_target name)
    target_compile_features(${name} PUBLIC cxx_std_20)
    set_target_properties(${name} PROPERTIES CXX_EXTENSIONS OFF)
    target_compile_options(${name} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()
