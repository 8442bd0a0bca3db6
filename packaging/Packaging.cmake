# Installation, desktop integration and the Debian package. Included by the
# top-level CMakeLists.txt when the application is built.
#
# Installed layout (any prefix): bin/ holds the programs, share/mxr77c/ the
# companion files; the programs look beside themselves first, then in
# ../share/mxr77c, so the build tree and an installed tree both work.

set(MX_PACKAGING ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(MX_DATA_DIR share/mxr77c)
set(MX_APP_ID org.example.mxr77c)

# ---- the manual, laid out from its Markdown text at build time
add_executable(mkmanual tools/mkmanual/main.cpp)
target_link_libraries(mkmanual PRIVATE Qt6::Gui)
mx_set_warnings(mkmanual)
set(MX_MANUAL ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/MXR77C.pdf)
file(GLOB MX_MANUAL_PICTURES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/docs/*.png)
add_custom_command(
    OUTPUT ${MX_MANUAL}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:mkmanual> ${CMAKE_CURRENT_SOURCE_DIR}/docs/manual/manual.md
            ${CMAKE_CURRENT_SOURCE_DIR}/docs ${MX_MANUAL}
    DEPENDS mkmanual ${CMAKE_CURRENT_SOURCE_DIR}/docs/manual/manual.md ${MX_MANUAL_PICTURES}
    COMMENT "Laying out the manual"
    VERBATIM)
add_custom_target(manual ALL DEPENDS ${MX_MANUAL})

# ---- the icon at the theme's sizes, drawn from the one SVG
set(MX_ICON_SIZES 16 32 48 64 128 256)
set(MX_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
add_executable(mkicons tools/mkicons/main.cpp)
target_link_libraries(mkicons PRIVATE Qt6::Gui Qt6::Svg)
mx_set_warnings(mkicons)
set(MX_ICON_PNGS)
foreach(size ${MX_ICON_SIZES})
    list(APPEND MX_ICON_PNGS ${MX_ICON_DIR}/${size}x${size}/mxr77c.png)
endforeach()
add_custom_command(
    OUTPUT ${MX_ICON_PNGS}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:mkicons> ${MX_PACKAGING}/icons/mxr77c.svg ${MX_ICON_DIR} ${MX_ICON_SIZES}
    DEPENDS mkicons ${MX_PACKAGING}/icons/mxr77c.svg
    COMMENT "Rendering the application icon"
    VERBATIM)
add_custom_target(icons ALL DEPENDS ${MX_ICON_PNGS})

# ---- manual pages: the tools' pages are their own --help text
set(MX_MAN_DIR ${CMAKE_BINARY_DIR}/man)
set(MX_MAN_PAGES)
function(mx_man_from_help target summary)
    set(page ${MX_MAN_DIR}/${target}.1)
    add_custom_command(
        OUTPUT ${page}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${MX_MAN_DIR}
        COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DNAME=${target}
                "-DSUMMARY=${summary}" -DVERSION=${PROJECT_VERSION}
                -DEXTRA=${MX_PACKAGING}/man/${target}.roff -DOUT=${page}
                -P ${MX_PACKAGING}/man/mkman.cmake
        COMMAND gzip -9nf ${page}
        DEPENDS ${target} ${MX_PACKAGING}/man/mkman.cmake ${MX_PACKAGING}/man/${target}.roff
        COMMENT "Writing the manual page of ${target}"
        VERBATIM)
    set(MX_MAN_PAGES ${MX_MAN_PAGES} ${page}.gz PARENT_SCOPE)
endfunction()
mx_man_from_help(mxr77c-cli "command-line companion of the KT-R77C programming application")
mx_man_from_help(r77c-sim "simulated KT-R77C radio on a pseudo-terminal")
add_custom_command(
    OUTPUT ${MX_MAN_DIR}/mxr77c.1.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${MX_MAN_DIR}
    COMMAND sh -c "gzip -9nc \"$0\" > \"$1\"" ${MX_PACKAGING}/man/mxr77c.1 ${MX_MAN_DIR}/mxr77c.1.gz
    DEPENDS ${MX_PACKAGING}/man/mxr77c.1
    COMMENT "Compressing the manual page of mxr77c"
    VERBATIM)
list(APPEND MX_MAN_PAGES ${MX_MAN_DIR}/mxr77c.1.gz)
add_custom_target(man_pages ALL DEPENDS ${MX_MAN_PAGES})

# ---- the Debian changelog, stamped with this version
set(MX_DEB_VERSION ${PROJECT_VERSION}-1)
configure_file(${MX_PACKAGING}/debian/changelog.in ${CMAKE_BINARY_DIR}/debian/changelog.Debian @ONLY)
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/debian/changelog.Debian.gz
    COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/debian/changelog.Debian
    DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog.Debian
    VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog.Debian.gz)

# ---- install rules
install(TARGETS mxr77c mxr77c-cli r77c-sim RUNTIME DESTINATION bin)
install(FILES ${MX_INITIAL_IMAGE} ${MX_MANUAL} DESTINATION ${MX_DATA_DIR})
install(FILES ${MX_PACKAGING}/desktop/${MX_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${MX_PACKAGING}/desktop/${MX_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${MX_PACKAGING}/desktop/mxr77c.xml DESTINATION share/mime/packages)
install(FILES ${MX_PACKAGING}/icons/mxr77c.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(size ${MX_ICON_SIZES})
    install(FILES ${MX_ICON_DIR}/${size}x${size}/mxr77c.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${MX_MAN_PAGES} DESTINATION share/man/man1)
install(FILES ${MX_PACKAGING}/bash-completion/mxr77c-cli
        DESTINATION share/bash-completion/completions)
install(FILES ${MX_PACKAGING}/debian/copyright ${CMAKE_BINARY_DIR}/debian/changelog.Debian.gz
        DESTINATION share/doc/mxr77c)
install(FILES ${MX_PACKAGING}/debian/lintian-overrides
        DESTINATION share/lintian/overrides RENAME mxr77c)

# ---- the Debian package: cpack -G DEB in the build folder
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mxr77c)
set(CPACK_PACKAGE_VENDOR "VARTEK INCORPORATED")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming (cloning) application for the KT-R77C radio")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "VARTEK INCORPORATED <support@mxr77c.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://mxr77c.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolbar and tree pictures are SVG, read through Qt's SVG plugins, which
# no linked library names.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6svg6)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-ipafont-gothic)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The summary above is the first line; cpack indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "MX-R77C reads the whole settings memory of a KT-R77C handheld radio over a
programming cable, shows it in spreadsheet-like sheets for editing, saves it
to clone image files and writes it back to the radio.

The package holds the desktop application (mxr77c), its command-line
companion for scripted programming (mxr77c-cli), a simulated radio for
training (r77c-sim) and the Japanese manual.")
include(CPack)
