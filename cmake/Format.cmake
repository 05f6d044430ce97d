# Formats the tree (MODE=fix) or fails on any drift from .clang-format
# (MODE=check). Run by the `format` target and by ctest:
#   cmake -DCLANG_FORMAT=<clang-format> -DSOURCE_DIR=<repo> -DMODE=check -P Format.cmake
cmake_policy(VERSION 3.25)
file(GLOB_RECURSE sources
    "${SOURCE_DIR}/src/*.h" "${SOURCE_DIR}/src/*.cpp"
    "${SOURCE_DIR}/tests/*.h" "${SOURCE_DIR}/tests/*.cpp"
    "${SOURCE_DIR}/bench/*.h" "${SOURCE_DIR}/bench/*.cpp"
    "${SOURCE_DIR}/tools/*.h" "${SOURCE_DIR}/tools/*.cpp")
if(MODE STREQUAL "fix")
    execute_process(COMMAND "${CLANG_FORMAT}" -i ${sources} RESULT_VARIABLE result)
else()
    execute_process(COMMAND "${CLANG_FORMAT}" --dry-run --Werror ${sources}
                    RESULT_VARIABLE result ERROR_VARIABLE drift)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "Files differ from .clang-format (run: cmake --build build --target format):\n${drift}")
    endif()
endif()
