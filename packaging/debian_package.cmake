# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: make package writes gearsel_<version>_<arch>.deb from the install rules,
# with the version of project() and the library dependencies that dpkg-shlibdeps finds. The
# package of debian/ (dpkg-buildpackage) has the same name, contents and dependencies.

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
# The same modes whatever the builder's umask, so that two builds give the same bytes.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${GEARSEL_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's libraries come from dpkg-shlibdeps. The window is drawn for the Song face (宋体, from
# AR PL UMing), a CJK sans face and Qt's own Chinese texts for the buttons of its dialogs:
# without them it falls back to another face and to English buttons, so they are needed,
# not only recommended. debian/control lists the same.
set(GEARSEL_DEPENDS "fonts-arphic-uming, fonts-wqy-microhei | fonts-wqy-zenhei, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_DEPENDS ${GEARSEL_DEPENDS})

include(CPack)
