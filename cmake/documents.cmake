# The manual page and the Debian changelog, compressed as Debian ships them: gzip -9n leaves out
# the file's name and time, so the same source gives the same bytes.
function(tarnel_compress source output)
    add_custom_command(OUTPUT ${output}
        COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${source} ${output}
        DEPENDS ${source}
        VERBATIM)
endfunction()

set(TARNEL_MANUAL ${PROJECT_BINARY_DIR}/tarnel.6.gz)
set(TARNEL_CHANGELOG ${PROJECT_BINARY_DIR}/changelog.gz)
tarnel_compress(${PROJECT_SOURCE_DIR}/packaging/tarnel.6 ${TARNEL_MANUAL})
tarnel_compress(${PROJECT_SOURCE_DIR}/packaging/changelog ${TARNEL_CHANGELOG})

# The manual page in each language that po/man/po4a.cfg lists, translated by po4a from its
# catalogue in po/man/ and compressed as the English one is.
# Both named at configure time when missing, rather than midway through a build.
find_program(TARNEL_PO4A po4a REQUIRED)
find_program(TARNEL_MSGFMT msgfmt REQUIRED)
# A language added to po4a.cfg reconfigures the build, which takes its list from there.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/po/man/po4a.cfg)
file(STRINGS ${PROJECT_SOURCE_DIR}/po/man/po4a.cfg TARNEL_MANUAL_LANGUAGES
    REGEX "^\\[po4a_langs\\]")
string(REGEX REPLACE "^\\[po4a_langs\\] *" "" TARNEL_MANUAL_LANGUAGES "${TARNEL_MANUAL_LANGUAGES}")
separate_arguments(TARNEL_MANUAL_LANGUAGES UNIX_COMMAND "${TARNEL_MANUAL_LANGUAGES}")
set(TARNEL_MANUAL_PAGES)
set(TARNEL_MANUAL_CATALOGUES)
foreach(language IN LISTS TARNEL_MANUAL_LANGUAGES)
    list(APPEND TARNEL_MANUAL_PAGES ${PROJECT_BINARY_DIR}/man/${language}/man6/tarnel.6)
    list(APPEND TARNEL_MANUAL_CATALOGUES ${PROJECT_SOURCE_DIR}/po/man/${language}.po)
endforeach()
add_custom_command(OUTPUT ${TARNEL_MANUAL_PAGES}
    COMMAND ${PROJECT_SOURCE_DIR}/tools/translate_manual.sh ${PROJECT_SOURCE_DIR}
            ${PROJECT_BINARY_DIR}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/tarnel.6 ${PROJECT_SOURCE_DIR}/po/man/po4a.cfg
            ${PROJECT_SOURCE_DIR}/po/man/ragged_right.add ${TARNEL_MANUAL_CATALOGUES}
            ${PROJECT_SOURCE_DIR}/tools/translate_manual.sh
    VERBATIM)
set(TARNEL_TRANSLATED_MANUALS)
foreach(language IN LISTS TARNEL_MANUAL_LANGUAGES)
    set(page ${PROJECT_BINARY_DIR}/man/${language}/man6/tarnel.6)
    tarnel_compress(${page} ${page}.gz)
    list(APPEND TARNEL_TRANSLATED_MANUALS ${page}.gz)
endforeach()
add_custom_target(documents ALL
    DEPENDS ${TARNEL_MANUAL} ${TARNEL_CHANGELOG} ${TARNEL_TRANSLATED_MANUALS})
