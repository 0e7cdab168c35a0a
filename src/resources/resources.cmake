# The module's WAVE resources. The three sounds are synthesized during the
# build by tools/soundgen rather than committed: they are about 4 MB of
# output that is fully determined by the generator's source, so keeping the
# source alone avoids binary churn in history and the generator and the files
# can never drift apart.
#
# Included from the top-level CMakeLists.txt after tools/, so it defines, in
# that scope:
#   VELOXAN_SOUND_DIR    directory holding the generated WAV files
#   VELOXAN_SOUND_FILES  the generated WAV files themselves
#   VELOXAN_RC_FILE      the resource script that embeds them (windres -I VELOXAN_SOUND_DIR)
#   VELOXAN_SOUNDGEN     the generator program, for tests that check it is deterministic
#   veloxan_sounds       custom target that generates the files

set(VELOXAN_SOUND_DIR ${CMAKE_BINARY_DIR}/sounds)
set(VELOXAN_RC_FILE ${CMAKE_CURRENT_LIST_DIR}/sounds.rc)
set(VELOXAN_SOUND_FILES ${VELOXAN_SOUND_DIR}/spool_orca.wav ${VELOXAN_SOUND_DIR}/blowoff.wav
                        ${VELOXAN_SOUND_DIR}/spool_lumen.wav)
get_property(VELOXAN_SOUNDGEN GLOBAL PROPERTY VELOXAN_SOUNDGEN_EXE)
if(NOT VELOXAN_SOUNDGEN)
    message(FATAL_ERROR "resources.cmake needs tools/soundgen: include it after add_subdirectory(tools)")
endif()

add_custom_command(
    OUTPUT ${VELOXAN_SOUND_FILES}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VELOXAN_SOUND_DIR}
    COMMAND ${VELOXAN_SOUNDGEN} ${VELOXAN_SOUND_DIR}
    # The target gives the build order, the file the rebuild when the generator changes.
    DEPENDS soundgen ${VELOXAN_SOUNDGEN}
    COMMENT "Synthesizing the WAVE resources"
    VERBATIM)
add_custom_target(veloxan_sounds DEPENDS ${VELOXAN_SOUND_FILES})
