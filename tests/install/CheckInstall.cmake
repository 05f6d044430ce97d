# Installs the build into a temporary prefix and checks what a package ships:
# every file the desktop and the program need is there, the desktop entry and
# the AppStream description pass their validators (when installed), the one
# version number agrees everywhere, and the installed program answers
# --version and --help without a display.
# Run by ctest: cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DVERSION=... -DAPP_ID=...
#   -DMODULE_SUBDIR=... -P CheckInstall.cmake
cmake_policy(VERSION 3.25)

set(prefix "${BUILD_DIR}/install-check")
file(REMOVE_RECURSE "${prefix}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}"
                OUTPUT_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(faults "")
macro(fault text)
    string(APPEND faults "  ${text}\n")
endmacro()

set(expected
    bin/ortolino
    ${MODULE_SUBDIR}/ortolino_audio.so
    share/applications/${APP_ID}.desktop
    share/metainfo/${APP_ID}.metainfo.xml
    share/icons/hicolor/scalable/apps/${APP_ID}.svg
    share/icons/hicolor/48x48/apps/${APP_ID}.png
    share/icons/hicolor/64x64/apps/${APP_ID}.png
    share/icons/hicolor/128x128/apps/${APP_ID}.png
    share/icons/hicolor/256x256/apps/${APP_ID}.png
    share/man/man1/ortolino.1
    share/ortolino/ortolino.pdf
    share/ortolino/ortolino-en.pdf
    share/ortolino/documento.pdf
    share/ortolino/CREDITS.txt
    share/ortolino/tratto1.ttf
    share/ortolino/tratto1-OFL.txt
    share/ortolino/lngortolino/Italiano.lng
    share/ortolino/lngortolino/English.lng
    share/ortolino/lngortolino/LangSetting.ini
    share/ortolino/suoni/si.wav
    share/ortolino/suoni/no.wav
    share/ortolino/personaggi/merlin.chr
    share/ortolino/liste/predefinita.txt
    share/ortolino/lists/default.txt)
foreach(file IN LISTS expected)
    if(NOT EXISTS "${prefix}/${file}")
        fault("missing ${file}")
    endif()
endforeach()
foreach(folder IN ITEMS immagini pictures)
    file(GLOB pictures "${prefix}/share/ortolino/${folder}/*.jpg")
    list(LENGTH pictures count)
    if(count LESS 50)
        fault("share/ortolino/${folder} holds only ${count} pictures")
    endif()
endforeach()

# Validators, where the machine has them (a package build's machine does).
find_program(desktop_validate desktop-file-validate)
if(desktop_validate)
    execute_process(COMMAND ${desktop_validate} "${prefix}/share/applications/${APP_ID}.desktop"
                    OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE result)
    if(NOT result EQUAL 0 OR out MATCHES "error")
        fault("desktop-file-validate: ${out}")
    endif()
else()
    message(STATUS "desktop-file-validate not installed: the desktop entry is not validated")
endif()
find_program(appstreamcli appstreamcli)
if(appstreamcli)
    execute_process(COMMAND ${appstreamcli} validate --no-net --explain
                            "${prefix}/share/metainfo/${APP_ID}.metainfo.xml"
                    OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        fault("appstreamcli validate: ${out}")
    endif()
else()
    message(STATUS "appstreamcli not installed: the AppStream description is not validated")
endif()

# One version: CMake's, in the newest AppStream release, the Debian changelog
# and the manual page.
file(READ "${prefix}/share/metainfo/${APP_ID}.metainfo.xml" metainfo)
string(REGEX MATCH "<release version=\"([^\"]+)\"" _ "${metainfo}")
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    fault("newest AppStream release is '${CMAKE_MATCH_1}', CMake says ${VERSION}")
endif()
file(STRINGS "${SOURCE_DIR}/debian/changelog" changelog LIMIT_COUNT 1)
string(REGEX MATCH "^ortolino \\(([^-)]+)" _ "${changelog}")
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    fault("debian/changelog is at '${CMAKE_MATCH_1}', CMake says ${VERSION}")
endif()
file(STRINGS "${prefix}/share/man/man1/ortolino.1" man_title LIMIT_COUNT 1)
if(NOT man_title MATCHES "\"Ortolino ${VERSION}\"")
    fault("manual page title: ${man_title}")
endif()

# A library the program opens itself (espeak-ng, with dlopen) is invisible to
# dh_shlibdeps: without a dependency by name, a fresh machine would be silent.
file(READ "${SOURCE_DIR}/debian/control" control)
if(NOT control MATCHES "\n[ \t]+libespeak-ng1,")
    fault("debian/control does not depend on libespeak-ng1, which the program opens with dlopen")
endif()

# The installed program answers without a display; its help is in the
# desktop's language when installed, else in Italian (Qt's own lines too,
# which Qt's Italian lacks), and says where the settings are kept. --help and --version end the program from inside Qt's
# parser, so a sanitized build must not count Qt's objects left at that exit
# as leaks.
set(run ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
    ASAN_OPTIONS=detect_leaks=0 LC_ALL=C.UTF-8
    "XDG_CONFIG_HOME=${prefix}/home/config" "${prefix}/bin/ortolino")
execute_process(COMMAND ${run} --version OUTPUT_VARIABLE out ERROR_VARIABLE err
                RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT out STREQUAL "Ortolino ${VERSION}\n")
    fault("ortolino --version gave ${result}: '${out}${err}'")
endif()
foreach(desktop "" "de:en")
    execute_process(COMMAND ${CMAKE_COMMAND} -E env LANGUAGE=${desktop} ${run} --help
                    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE result)
    set(words "imparare a scrivere")
    if(desktop)
        set(words "learn to write")
    endif()
    if(NOT result EQUAL 0 OR NOT out MATCHES "--version" OR NOT out MATCHES "${words}"
       OR NOT out MATCHES "${prefix}/home/config/ImpostazioniProgrammiLumo/"
       OR (NOT desktop AND out MATCHES "Displays"))
        fault("ortolino --help on a desktop in '${desktop}' gave ${result}: '${out}${err}'")
    endif()
endforeach()
if(EXISTS "${prefix}/home")
    fault("ortolino --help wrote below the settings folder")
endif()

file(REMOVE_RECURSE "${prefix}")
if(faults)
    message(FATAL_ERROR "The installed tree is not what a package ships:\n${faults}")
endif()
