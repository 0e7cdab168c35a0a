# Builds the release zip: cmake -DMODULE=<Veloxan.asi> -DSOURCE_DIR=<packaging/>
#   -DCHANGELOG=<CHANGELOG.md> -DVERSION=<x.y.z> -DSTAGE_DIR=<dir> -DOUTPUT=<zip>
#   -P make_package.cmake
#
# The zip must come out byte for byte the same from the same commit: fixed
# entry times, a fixed entry order and fixed file modes, nothing from the
# build machine.

foreach(var MODULE SOURCE_DIR CHANGELOG VERSION STAGE_DIR OUTPUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "make_package.cmake needs -D${var}=...")
    endif()
endforeach()

file(REMOVE_RECURSE ${STAGE_DIR})
file(MAKE_DIRECTORY ${STAGE_DIR})

# Text files as Notepad and the Windows profile functions expect them: CRLF.
function(stage_text source target)
    file(READ ${source} text)
    string(REPLACE "@VELOXAN_VERSION@" "${VERSION}" text "${text}")
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${STAGE_DIR}/${target} "${text}")
endfunction()

file(COPY_FILE ${MODULE} ${STAGE_DIR}/Veloxan.asi)
stage_text(${SOURCE_DIR}/Veloxan.ini Veloxan.ini)
stage_text(${SOURCE_DIR}/README.txt Veloxan-readme.txt)
# Named after the module, like the readme: a player may unpack into the game
# folder, where other mods' changelogs live too.
stage_text(${CHANGELOG} Veloxan-changelog.txt)

set(entries Veloxan-changelog.txt Veloxan-readme.txt Veloxan.asi Veloxan.ini)
list(SORT entries)
foreach(entry ${entries})
    file(CHMOD ${STAGE_DIR}/${entry} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()
# Every entry dated 2000-01-01 00:00 UTC. zip rather than `cmake -E tar`:
# libarchive stores each file's access and change times as well, which no
# build can hold still; zip -X stores neither those nor owner ids.
execute_process(COMMAND touch -d "2000-01-01 00:00:00 UTC" ${entries}
                WORKING_DIRECTORY ${STAGE_DIR} RESULT_VARIABLE touched)
find_program(ZIP_PROGRAM zip)
if(NOT touched EQUAL 0 OR NOT ZIP_PROGRAM)
    message(FATAL_ERROR "packaging needs touch and zip (Debian package zip)")
endif()
file(REMOVE ${OUTPUT})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP_PROGRAM} -X -D -q -9 ${OUTPUT} ${entries}
    WORKING_DIRECTORY ${STAGE_DIR}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "writing ${OUTPUT} failed")
endif()
