# The Debian package: scripts/package runs cpack in build/ and writes
# build/varnel_<version>_<arch>.deb. Library dependencies come from dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Varnel developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calendar of the biblical feasts and the Hebrew year")
set(CPACK_PACKAGE_DESCRIPTION
  "Varnel shows the common and Hebrew calendars side by side in a month, day and year view,\n\
marks the holy days, fasts and special Shabbatot, assigns the weekly Torah portions with\n\
their readings, and computes sunrise, sunset, candle-lighting and Havdalah times for a\n\
chosen place. A command line prints the same calendars as text or JSON.")
set(CPACK_PACKAGE_CONTACT "Varnel developers <varnel@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VARNEL_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Opened only when first used, so dpkg-shlibdeps cannot see them: the precise
# sun (libnova) and the world list of places (libgeonames). Without them the
# program runs and says what is missing when such a feature is asked for.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libnova-0.16-0, libgeonames0")
# Folders such as /usr/share/man belong to other packages: ship 0755/0644 and
# no owned parent directories beyond our own.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
