# The texts the player sees: settings/texts/texts.pot (English) and one PO
# file for each further language become the read-only table that texts.cpp
# includes, made at each build by scripts/make_texts_table.py. It refuses,
# naming file, line and text, a PO file that lacks a text or has one too
# many, changes its placeholders or colour codes, or outgrows its room.
#
# Included from src/CMakeLists.txt after the glob of the module's sources and
# before their targets: the table joins VELOXAN_MODULE_SOURCES, so that
# whichever target compiles texts.cpp makes it first.

find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(VELOXAN_TEXTS_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/texts/texts.pot)
file(GLOB VELOXAN_TEXTS_PO CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/texts/*.po)
set(VELOXAN_TEXTS_TABLE_DIR ${CMAKE_CURRENT_BINARY_DIR}/generated)
set(VELOXAN_TEXTS_TABLE ${VELOXAN_TEXTS_TABLE_DIR}/texts_table.inc)
set(VELOXAN_TEXTS_GENERATOR ${CMAKE_SOURCE_DIR}/scripts/make_texts_table.py)
set(VELOXAN_TEXTS_COMMAND
    ${Python3_EXECUTABLE} ${VELOXAN_TEXTS_GENERATOR}
    --texts-h ${CMAKE_CURRENT_LIST_DIR}/texts.h --version-h ${CMAKE_SOURCE_DIR}/src/version.h
    --template ${VELOXAN_TEXTS_TEMPLATE} --output ${VELOXAN_TEXTS_TABLE})

add_custom_command(
    OUTPUT ${VELOXAN_TEXTS_TABLE}
    COMMAND ${VELOXAN_TEXTS_COMMAND}
    DEPENDS ${VELOXAN_TEXTS_GENERATOR} ${VELOXAN_TEXTS_TEMPLATE} ${VELOXAN_TEXTS_PO}
            ${CMAKE_CURRENT_LIST_DIR}/texts.h ${CMAKE_SOURCE_DIR}/src/version.h
    # The messages name the files from the tree's root.
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    COMMENT "Texts table from the PO files"
    VERBATIM)

# clang-tidy and clangd read texts.cpp from the compile database, and the
# test command runs clang-tidy after configuring and before building: each
# configure brings the table up to date too, touching it only when it
# changes, so that texts.cpp is not compiled again for nothing.
execute_process(COMMAND ${VELOXAN_TEXTS_COMMAND} --if-changed
                WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} RESULT_VARIABLE VELOXAN_TEXTS_RESULT)
if(NOT VELOXAN_TEXTS_RESULT EQUAL 0)
    message(FATAL_ERROR "The texts table was not made (above: which file, line and text)")
endif()

list(APPEND VELOXAN_MODULE_SOURCES ${VELOXAN_TEXTS_TABLE})
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/texts.cpp PROPERTIES
    INCLUDE_DIRECTORIES ${VELOXAN_TEXTS_TABLE_DIR})
