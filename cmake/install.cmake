# Install rules: the program and its pictures in folders of their own, a launcher on the PATH
# that starts the program among its pictures, its manual page, licence and changelog, a desktop
# entry with its AppStream metadata, and icons.
option(TARNEL_DEBIAN_LAYOUT "Lay the install out as Debian does for games (launcher in games/)" OFF)
if(TARNEL_DEBIAN_LAYOUT)
    set(TARNEL_LAUNCHER_DIR games)
    set(TARNEL_PROGRAM_DIR lib/games/tarnel)
    set(TARNEL_PICTURES_DIR share/games/tarnel)
else()
    set(TARNEL_LAUNCHER_DIR bin)
    set(TARNEL_PROGRAM_DIR lib/tarnel)
    set(TARNEL_PICTURES_DIR share/tarnel)
endif()

# The launcher finds both folders relative to itself, so the installed tree can be moved.
file(RELATIVE_PATH TARNEL_PROGRAM_FROM_LAUNCHER
    /${TARNEL_LAUNCHER_DIR} /${TARNEL_PROGRAM_DIR})
file(RELATIVE_PATH TARNEL_PICTURES_FROM_LAUNCHER
    /${TARNEL_LAUNCHER_DIR} /${TARNEL_PICTURES_DIR})
# The program finds its catalogues relative to itself too.
file(RELATIVE_PATH TARNEL_LOCALE_FROM_PROGRAM /${TARNEL_PROGRAM_DIR} /share/locale)
set_property(SOURCE ${PROJECT_SOURCE_DIR}/src/language/catalogues.cpp
    DIRECTORY ${PROJECT_SOURCE_DIR}/src
    APPEND PROPERTY COMPILE_DEFINITIONS TARNEL_LOCALE_FROM_PROGRAM="${TARNEL_LOCALE_FROM_PROGRAM}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/tarnel.sh.in
    ${PROJECT_BINARY_DIR}/packaging/tarnel @ONLY)

install(TARGETS tarnel RUNTIME DESTINATION ${TARNEL_PROGRAM_DIR})
# The compiler's version notes are of no use in a package; Debian's own packages drop them too.
if(TARNEL_DEBIAN_LAYOUT)
    install(CODE "execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${TARNEL_PROGRAM_DIR}/tarnel\"
        COMMAND_ERROR_IS_FATAL ANY)")
endif()
install(PROGRAMS ${PROJECT_BINARY_DIR}/packaging/tarnel DESTINATION ${TARNEL_LAUNCHER_DIR})
install(FILES
    ${PROJECT_BINARY_DIR}/Background.bmp
    ${PROJECT_BINARY_DIR}/Link.bmp
    ${PROJECT_BINARY_DIR}/BlueSoldier.bmp
    ${PROJECT_BINARY_DIR}/GreenSoldier.bmp
    ${PROJECT_BINARY_DIR}/Armos.bmp
    ${TARNEL_SOUNDS}
    DESTINATION ${TARNEL_PICTURES_DIR})
install(FILES ${TARNEL_MANUAL} DESTINATION share/man/man6)
foreach(language IN LISTS TARNEL_MANUAL_LANGUAGES)
    install(FILES ${PROJECT_BINARY_DIR}/man/${language}/man6/tarnel.6.gz
        DESTINATION share/man/${language}/man6)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${TARNEL_CHANGELOG}
    DESTINATION share/doc/tarnel)

# The catalogues, and the desktop entry and metainfo translated from them; the AppStream id
# names the entry and the metainfo file alike.
foreach(language IN LISTS TARNEL_LANGUAGES)
    install(FILES ${TARNEL_LOCALE}/${language}/LC_MESSAGES/tarnel.mo
        DESTINATION share/locale/${language}/LC_MESSAGES)
endforeach()
install(FILES ${TARNEL_DESKTOP_ENTRY} DESTINATION share/applications)
install(FILES ${TARNEL_METAINFO} DESTINATION share/metainfo)
foreach(size IN LISTS TARNEL_ICON_SIZES)
    install(FILES ${PROJECT_BINARY_DIR}/tarnel-${size}.png
        DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME tarnel.png)
endforeach()

# Tags of lintian's that cannot be mended, each with the reason beside it.
if(TARNEL_DEBIAN_LAYOUT)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
        DESTINATION share/lintian/overrides RENAME tarnel)
endif()
