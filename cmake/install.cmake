# Install rules: the program and its pictures in folders of their own, a launcher on the PATH
# that starts the program among its pictures, a desktop entry and icons.
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
configure_file(${PROJECT_SOURCE_DIR}/packaging/tarnel.sh.in
    ${PROJECT_BINARY_DIR}/packaging/tarnel @ONLY)

install(TARGETS tarnel RUNTIME DESTINATION ${TARNEL_PROGRAM_DIR})
install(PROGRAMS ${PROJECT_BINARY_DIR}/packaging/tarnel DESTINATION ${TARNEL_LAUNCHER_DIR})
install(FILES
    ${PROJECT_BINARY_DIR}/Background.bmp
    ${PROJECT_BINARY_DIR}/Link.bmp
    ${PROJECT_BINARY_DIR}/BlueSoldier.bmp
    ${PROJECT_BINARY_DIR}/GreenSoldier.bmp
    ${PROJECT_BINARY_DIR}/Armos.bmp
    DESTINATION ${TARNEL_PICTURES_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tarnel.desktop DESTINATION share/applications)
foreach(size IN LISTS TARNEL_ICON_SIZES)
    install(FILES ${PROJECT_BINARY_DIR}/tarnel-${size}.png
        DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME tarnel.png)
endforeach()
