# The Debian package: make package writes gearsel_<version>_<arch>.deb from the install rules,
# with the version of project() and the library dependencies that dpkg-shlibdeps finds.

set(GEARSEL_MAINTAINER "GearSel developers <gearsel@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gearsel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "GearSel developers")
set(CPACK_PACKAGE_CONTACT ${GEARSEL_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "change-gear selection for lathes and gear hobbing machines")
set(CPACK_PACKAGE_DESCRIPTION
    "GearSel finds the change-gear (pick-off gear) trains that set a required
transmission ratio on a lathe or a gear hobbing machine: pick a machine and
its gear set, type the ratio and get the best trains the set can form,
ranked by error and checked that they can be mounted. The window keeps each
user's machines in their own data file; gearsel-cli offers the same
selection and machine editing on the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${GEARSEL_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's libraries come from dpkg-shlibdeps; the Chinese texts need a CJK font besides. The
# Song face for 宋体 and Qt's own Chinese button texts are recommended: without them the
# window falls back to the sans face and to Qt's English buttons.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-wqy-zenhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-arphic-uming, qt6-translations-l10n")

include(CPack)
