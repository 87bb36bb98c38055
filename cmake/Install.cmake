# What "cmake --install" lays out: the programs, the desktop integration and the manual.
set(ORVANE_APP_ID com.brantel.Orvane)
set(ORVANE_DATA ${PROJECT_SOURCE_DIR}/data)

install(TARGETS orvane orvane-devsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ORVANE_DATA}/desktop/${ORVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# Session autostart, delayed so that the tray host is up first. The system's /etc/xdg/autostart for a
# /usr prefix (the package); else etc/xdg/autostart below the prefix, so an install stays in its prefix.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(default_autostart /etc/xdg/autostart)
else()
    set(default_autostart ${CMAKE_INSTALL_SYSCONFDIR}/xdg/autostart)
endif()
set(ORVANE_AUTOSTART_DIR ${default_autostart} CACHE STRING "where the session autostart entry is installed")
install(FILES ${ORVANE_DATA}/desktop/orvane-autostart.desktop DESTINATION ${ORVANE_AUTOSTART_DIR})

configure_file(${ORVANE_DATA}/metainfo/${ORVANE_APP_ID}.metainfo.xml
    ${PROJECT_BINARY_DIR}/metainfo/${ORVANE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/metainfo/${ORVANE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
configure_file(${ORVANE_DATA}/man/orvane.1 ${PROJECT_BINARY_DIR}/man/orvane.1 @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/man/orvane.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The application icon: the SVG, and PNGs rendered from it for desktops that want bitmaps.
set(ORVANE_ICON_SVG ${PROJECT_SOURCE_DIR}/src/UI/resources/icons/orvane.svg)
install(FILES ${ORVANE_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
find_program(RSVG_CONVERT rsvg-convert)
find_program(IMAGEMAGICK_CONVERT convert)
set(icon_files)
foreach(size 16 22 24 32 48 64 128 256)
    set(png ${PROJECT_BINARY_DIR}/icons/${size}x${size}/orvane.png)
    if(RSVG_CONVERT)
        set(render ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${ORVANE_ICON_SVG})
    elseif(IMAGEMAGICK_CONVERT)
        set(render ${IMAGEMAGICK_CONVERT} -background none -density 384 ${ORVANE_ICON_SVG} -resize ${size}x${size} ${png})
    else()
        message(FATAL_ERROR "rendering the icons needs rsvg-convert (librsvg2-bin) or ImageMagick: run scripts/setup")
    endif()
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${size}x${size}
        COMMAND ${render}
        DEPENDS ${ORVANE_ICON_SVG}
        COMMENT "Rendering the ${size} px icon")
    list(APPEND icon_files ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(orvane_icons ALL DEPENDS ${icon_files})
