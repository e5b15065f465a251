# The catalogues: each po/LL.po of po/LINGUAS checked and compiled by msgfmt into
# locale/LL/LC_MESSAGES/tarnel.mo beside the program, where it finds them in the build folder;
# the desktop entry and the AppStream metainfo translated from the same catalogues; and the
# pseudo-language xx, made from the template, that the tests run the program in.
find_program(TARNEL_MSGFMT msgfmt REQUIRED)
find_program(TARNEL_MSGEN msgen REQUIRED)
find_program(TARNEL_MSGFILTER msgfilter REQUIRED)

set(TARNEL_PO ${PROJECT_SOURCE_DIR}/po)
file(STRINGS ${TARNEL_PO}/LINGUAS TARNEL_LANGUAGES REGEX "^[^#]")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TARNEL_PO}/LINGUAS)
set(TARNEL_LOCALE ${PROJECT_BINARY_DIR}/locale)

# --check fails the build on a format that does not match the English one, so a wrong %s
# never reaches the player.
set(TARNEL_CATALOGUES)
foreach(language IN LISTS TARNEL_LANGUAGES)
    set(catalogue ${TARNEL_LOCALE}/${language}/LC_MESSAGES/tarnel.mo)
    add_custom_command(OUTPUT ${catalogue}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${TARNEL_LOCALE}/${language}/LC_MESSAGES
        COMMAND ${TARNEL_MSGFMT} --check --output-file=${catalogue} ${TARNEL_PO}/${language}.po
        DEPENDS ${TARNEL_PO}/${language}.po
        VERBATIM)
    list(APPEND TARNEL_CATALOGUES ${catalogue})
endforeach()

set(TARNEL_PSEUDO ${TARNEL_LOCALE}/xx/LC_MESSAGES/tarnel.mo)
add_custom_command(OUTPUT ${TARNEL_PSEUDO}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TARNEL_LOCALE}/xx/LC_MESSAGES
    COMMAND ${TARNEL_MSGEN} --output-file=${PROJECT_BINARY_DIR}/english.po
            ${TARNEL_PO}/tarnel.pot
    COMMAND ${TARNEL_MSGFILTER} --keep-header --input=${PROJECT_BINARY_DIR}/english.po
            --output-file=${PROJECT_BINARY_DIR}/pseudo.po sed -f ${TARNEL_PO}/pseudo.sed
    COMMAND ${TARNEL_MSGFMT} --check-format --output-file=${TARNEL_PSEUDO}
            ${PROJECT_BINARY_DIR}/pseudo.po
    DEPENDS ${TARNEL_PO}/tarnel.pot ${TARNEL_PO}/pseudo.sed
    VERBATIM)

# The desktop entry and metainfo with every language's Name, Comment, summary and description.
set(TARNEL_APP_ID example.tarnel.tarnel)
set(TARNEL_DESKTOP_ENTRY ${PROJECT_BINARY_DIR}/packaging/${TARNEL_APP_ID}.desktop)
set(TARNEL_METAINFO ${PROJECT_BINARY_DIR}/packaging/${TARNEL_APP_ID}.metainfo.xml)
set(TARNEL_PO_FILES)
foreach(language IN LISTS TARNEL_LANGUAGES)
    list(APPEND TARNEL_PO_FILES ${TARNEL_PO}/${language}.po)
endforeach()
add_custom_command(OUTPUT ${TARNEL_DESKTOP_ENTRY}
    COMMAND ${TARNEL_MSGFMT} --check --desktop
            --template=${PROJECT_SOURCE_DIR}/packaging/${TARNEL_APP_ID}.desktop
            -d ${TARNEL_PO} --output-file=${TARNEL_DESKTOP_ENTRY}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${TARNEL_APP_ID}.desktop ${TARNEL_PO_FILES}
            ${TARNEL_PO}/LINGUAS
    VERBATIM)
add_custom_command(OUTPUT ${TARNEL_METAINFO}
    COMMAND ${TARNEL_MSGFMT} --check --xml
            --template=${PROJECT_SOURCE_DIR}/packaging/${TARNEL_APP_ID}.metainfo.xml
            -d ${TARNEL_PO} --output-file=${TARNEL_METAINFO}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${TARNEL_APP_ID}.metainfo.xml ${TARNEL_PO_FILES}
            ${TARNEL_PO}/LINGUAS
    VERBATIM)

add_custom_target(translations ALL
    DEPENDS ${TARNEL_CATALOGUES} ${TARNEL_PSEUDO} ${TARNEL_DESKTOP_ENTRY} ${TARNEL_METAINFO})
