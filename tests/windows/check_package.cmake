# Checks the release zip as a player unpacks it:
#   cmake -DPACKAGE=<zip> -DMODULE=<built Veloxan.asi> -DVERSION=<x.y.z>
#         -DWORK_DIR=<scratch dir> -P check_package.cmake
#
# The zip holds exactly the module, the settings file, the readme and the
# changelog; the module is the one just built; the settings file has every key
# once in [Veloxan], each with its comment, at the values a new player starts
# with; the changelog starts with this version.

foreach(var PACKAGE MODULE VERSION WORK_DIR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "check_package.cmake needs -D${var}=...")
    endif()
endforeach()

set(failures 0)
macro(expect condition what)
    if(${condition})
        message(STATUS "ok    ${what}")
    else()
        message(STATUS "FAIL  ${what}")
        math(EXPR failures "${failures} + 1")
    endif()
endmacro()

get_filename_component(zip_name ${PACKAGE} NAME)
set(name_ok FALSE)
if(zip_name STREQUAL "Veloxan-${VERSION}.zip")
    set(name_ok TRUE)
endif()
expect(name_ok "the package is named Veloxan-${VERSION}.zip")

execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${PACKAGE} OUTPUT_VARIABLE listing
                RESULT_VARIABLE listed)
string(STRIP "${listing}" listing)
string(REPLACE "\n" ";" entries "${listing}")
set(entries_ok FALSE)
if(listed EQUAL 0 AND entries STREQUAL
                      "Veloxan-changelog.txt;Veloxan-readme.txt;Veloxan.asi;Veloxan.ini")
    set(entries_ok TRUE)
endif()
expect(entries_ok "entries Veloxan-changelog.txt, Veloxan-readme.txt, Veloxan.asi, Veloxan.ini and nothing else (${entries})")

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${PACKAGE} WORKING_DIRECTORY ${WORK_DIR})

execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/Veloxan.asi ${MODULE}
                RESULT_VARIABLE differs)
set(module_ok FALSE)
if(differs EQUAL 0)
    set(module_ok TRUE)
endif()
expect(module_ok "the packaged Veloxan.asi is the built one")

# --- Veloxan.ini -----------------------------------------------------------------
file(READ ${WORK_DIR}/Veloxan.ini ini)
# file(READ) drops carriage returns: look at the bytes.
file(READ ${WORK_DIR}/Veloxan.ini ini_hex HEX)
string(REGEX REPLACE "(..)" " \\1" ini_bytes "${ini_hex}")
string(REGEX MATCHALL " 0a" lf_bytes "${ini_bytes}")
string(REGEX MATCHALL " 0d" cr_bytes "${ini_bytes}")
string(REGEX MATCHALL " 0d 0a" crlf_pairs "${ini_bytes}")
list(LENGTH lf_bytes lf_count)
list(LENGTH cr_bytes cr_count)
list(LENGTH crlf_pairs crlf_count)
set(crlf_ok FALSE)
if(lf_count GREATER 0 AND lf_count EQUAL crlf_count AND cr_count EQUAL crlf_count
   AND ini_bytes MATCHES " 0d 0a$")
    set(crlf_ok TRUE)
endif()
expect(crlf_ok "Veloxan.ini has Windows line ends")

set(expected_keys
    KEY_PC=T KEY_PC_2=0 KEY_PC_MENU=Shift KEY_GAMEPAD=DPadDown KEY_GAMEPAD_2=0 duration=60 sensitivity=25
    power=40 boost=35 slowmo=20 SFX_type=1 display_notifications=1 New_Install=1
    KEY_GAMEPAD_MENU=RB KEY_MENU_UP=0 KEY_MENU_DOWN=0 KEY_MENU_LEFT=0 KEY_MENU_RIGHT=0
    KEY_MENU_SELECT=0 KEY_MENU_BACK=0 SFX_volume=100 SFX_follow_game=1 LANGUAGE=auto)
string(REPLACE ";" "\\;" ini_escaped "${ini}")
string(REPLACE "\n" ";" lines "${ini_escaped}")
set(section "")
set(sections "")
set(found "")
set(previous "")
set(uncommented "")
set(stray "")
foreach(line IN LISTS lines)
    if(line MATCHES "^\\[(.*)\\]$")
        set(section "${CMAKE_MATCH_1}")
        list(APPEND sections "${section}")
    elseif(line MATCHES "^\\\\;" OR line MATCHES "^;" OR line STREQUAL "")
        # a comment
    elseif(line MATCHES "^([A-Za-z_0-9]+)=([A-Za-z0-9]+)$")
        if(section STREQUAL "Veloxan")
            list(APPEND found "${CMAKE_MATCH_1}=${CMAKE_MATCH_2}")
            if(NOT previous MATCHES "^\\\\?;")
                list(APPEND uncommented "${CMAKE_MATCH_1}")
            endif()
        else()
            list(APPEND stray "${line}")
        endif()
    else()
        list(APPEND stray "${line}")
    endif()
    set(previous "${line}")
endforeach()
set(sections_ok FALSE)
if(sections STREQUAL "Veloxan")
    set(sections_ok TRUE)
endif()
expect(sections_ok "one section, [Veloxan] (${sections})")
set(stray_ok FALSE)
if(NOT stray)
    set(stray_ok TRUE)
endif()
expect(stray_ok "every other line is a comment (${stray})")
list(SORT found)
set(sorted_expected ${expected_keys})
list(SORT sorted_expected)
set(keys_ok FALSE)
if(found STREQUAL sorted_expected)
    set(keys_ok TRUE)
endif()
expect(keys_ok "every key once at a new player's values (${found})")
set(commented_ok FALSE)
if(NOT uncommented)
    set(commented_ok TRUE)
endif()
expect(commented_ok "each key follows its comment (${uncommented})")
foreach(key KEY_PC KEY_PC_2 KEY_PC_MENU KEY_GAMEPAD KEY_GAMEPAD_2 duration sensitivity power boost
            slowmo SFX_type display_notifications New_Install KEY_GAMEPAD_MENU KEY_MENU_UP
            KEY_MENU_DOWN KEY_MENU_LEFT KEY_MENU_RIGHT KEY_MENU_SELECT KEY_MENU_BACK SFX_volume
            LANGUAGE)
    string(REGEX MATCH ";[ ]*${key}:[^=]*Default" described "${ini}")
    set(described_ok FALSE)
    if(described)
        set(described_ok TRUE)
    endif()
    expect(described_ok "the comment on ${key} gives its meaning and default")
endforeach()

# --- readme -------------------------------------------------------------------------
file(READ ${WORK_DIR}/Veloxan-readme.txt readme)
set(readme_ok TRUE)
foreach(needed "Veloxan ${VERSION}" "ScriptHookV" "Veloxan.asi" "Veloxan.ini" "SHIFT + T"
               "D-pad down" "Remove" KEY_PC= KEY_PC_2= KEY_PC_MENU= KEY_GAMEPAD= KEY_GAMEPAD_2=
               duration= sensitivity= power= boost= slowmo= SFX_type= display_notifications=
               New_Install= "When something goes wrong" "Veloxan.log" "volume mixer"
               "write access" KEY_GAMEPAD_MENU= KEY_MENU_UP= KEY_MENU_DOWN= KEY_MENU_LEFT=
               KEY_MENU_RIGHT= KEY_MENU_SELECT= KEY_MENU_BACK= SFX_volume= SFX_follow_game= "RB"
               LANGUAGE= "Your language"
               "KEY_PC=T" "DPadDown" "D0 to D9")
    string(FIND "${readme}" "${needed}" at)
    if(at EQUAL -1)
        message(STATUS "      the readme does not mention ${needed}")
        set(readme_ok FALSE)
    endif()
endforeach()
expect(readme_ok "the readme covers install, keys, every setting, what to do when something goes wrong and removal")

# --- changelog ----------------------------------------------------------------------
file(READ ${WORK_DIR}/Veloxan-changelog.txt changelog)
string(FIND "${changelog}" "## " first_entry)
string(FIND "${changelog}" "## ${VERSION}" this_entry)
set(changelog_ok FALSE)
if(this_entry GREATER -1 AND this_entry EQUAL first_entry)
    set(changelog_ok TRUE)
endif()
expect(changelog_ok "the changelog's first entry is ${VERSION}")

if(failures GREATER 0)
    message(FATAL_ERROR "${failures} failed check(s)")
endif()
