# Installs the program as a desktop application (binary, launcher, icons, AppStream metadata and
# licence) and sets up `cpack` to build the Debian package from that installation.
include(GNUInstallDirs)

set(XIAOLIUREN_APP_ID io.github.xiaoliuren.XiaoLiuRen)
set(xiaoliuren_packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(xiaoliuren_icons_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

install(TARGETS xiaoliuren RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${xiaoliuren_packaging_dir}/${XIAOLIUREN_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${xiaoliuren_packaging_dir}/${XIAOLIUREN_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The 32-pixel icon is the one the windows carry; the others are drawn in packaging/icons.
install(FILES ${xiaoliuren_packaging_dir}/icons/xiaoliuren-16.png
        DESTINATION ${xiaoliuren_icons_dir}/16x16/apps RENAME ${XIAOLIUREN_APP_ID}.png)
install(FILES ${PROJECT_SOURCE_DIR}/ui/icons/xiaoliuren.png
        DESTINATION ${xiaoliuren_icons_dir}/32x32/apps RENAME ${XIAOLIUREN_APP_ID}.png)
install(FILES ${xiaoliuren_packaging_dir}/icons/xiaoliuren-48.png
        DESTINATION ${xiaoliuren_icons_dir}/48x48/apps RENAME ${XIAOLIUREN_APP_ID}.png)
install(FILES ${xiaoliuren_packaging_dir}/icons/xiaoliuren.svg
        DESTINATION ${xiaoliuren_icons_dir}/scalable/apps RENAME ${XIAOLIUREN_APP_ID}.svg)
# Debian looks for a package's licence in /usr/share/doc/<package>/copyright.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)

# The Debian package. Its library dependencies come from dpkg-shlibdeps (dpkg-dev); the Qt
# platform plugins are only recommended by Qt's own packages, yet without them no window opens,
# and the font is the Song/Ming face that the windows' 宋体 resolves to.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME xiaoliuren)
set(CPACK_PACKAGE_VENDOR "the xiaoliuren developers")
if(NOT CPACK_PACKAGE_CONTACT)
    set(CPACK_PACKAGE_CONTACT "the xiaoliuren developers")
endif()
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small six-ren (小六壬) time omen caster")
set(CPACK_PACKAGE_DESCRIPTION
    "Pick a lunar month, a lunar day and a two-hour period (时辰) and the program\n"
    "opens the small six-ren omen they give: 大安, 留连, 速喜, 赤口, 小吉 or 空亡,\n"
    "with its heading and verse. The program is in Simplified Chinese.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-arphic-uming")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# `cpack --config CPackSourceConfig.cmake`: the sources without the repository and build trees.
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION})
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/")

include(CPack)
