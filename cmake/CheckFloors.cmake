# Fails when a source folder includes a folder on its own floor or above it.
# Run by ctest: cmake -DSOURCE_DIR=<repo>/src -P CheckFloors.cmake
#
# The floors, ground up. Folders on one floor are neighbours and never include
# each other; docs/ARCHITECTURE.md draws the same plan.
cmake_policy(VERSION 3.25)

set(floors
    "core/platform"
    "core/speech core/lang"
    "core/app"
    "core/words core/history"
    "core/exercise core/menu core/config core/report"
    "gui/widgets"
    "gui/character"
    "gui/exercise gui/menu gui/config gui/report"
    "program")

set(level 0)
foreach(floor IN LISTS floors)
    string(REPLACE " " ";" folders "${floor}")
    foreach(folder IN LISTS folders)
        string(REPLACE "/" "_" key "${folder}")
        set(floor_of_${key} ${level})
        list(APPEND known "${folder}")
    endforeach()
    math(EXPR level "${level} + 1")
endforeach()

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
set(faults "")
foreach(source IN LISTS sources)
    get_filename_component(folder "${source}" DIRECTORY)
    if(NOT folder IN_LIST known)
        string(APPEND faults "  ${source}: its folder ${folder} has no floor\n")
        continue()
    endif()
    string(REPLACE "/" "_" key "${folder}")
    set(own ${floor_of_${key}})
    file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^#include \"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
        get_filename_component(target "${header}" DIRECTORY)
        if(target STREQUAL folder)
            continue()
        endif()
        if(NOT target IN_LIST known)
            string(APPEND faults "  ${source}: includes ${header}, outside the floor plan\n")
            continue()
        endif()
        string(REPLACE "/" "_" tkey "${target}")
        if(NOT floor_of_${tkey} LESS own)
            string(APPEND faults "  ${source}: includes ${header}, not below ${folder}\n")
        endif()
    endforeach()
endforeach()

if(faults)
    message(FATAL_ERROR "Includes that break the floor plan:\n${faults}")
endif()
list(LENGTH sources count)
message(STATUS "${count} source files keep to the floor plan")
