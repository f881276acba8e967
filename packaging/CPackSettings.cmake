# The Debian package `talvero`: `cpack -G DEB` in the build folder (scripts/package.sh). Depends
# come from the binaries' shared libraries (dpkg-shlibdeps) plus what Qt loads without linking it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME talvero)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Talvero developers")
set(CPACK_PACKAGE_CONTACT "Talvero developers <maintainers@talvero.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "financial calculator for loans, annuities and investments")
# The long description; CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Talvero computes regular and balloon installment loans (the missing payment, term,
rate or finance charge solved, the Reg Z effective APR, payoffs and amortization
schedules), investment and retirement annuities and business retailing figures,
and tracks investment accounts. Loans and investments are kept in SQLite
databases, or on a shared Firebird server.
.
The package holds the program, the talvero-cli command line for batch work, and
talvero-unwinder, a wizard that removes the Firebird database server, its client
driver and tools.")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Talvero's own libraries are in the package; dpkg-shlibdeps finds them through the run path.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/lib)
# Plugins Qt loads by name: the SQLite driver for the databases (the xcb and offscreen platforms and
# the SVG plugins come with libqt6gui6 and libqt6svg6, which the binaries link).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
# The File menu's maintenance scripts need sqlite3; a server alias needs the Firebird driver; a
# user runs the wizard's removal through pkexec; a Wayland session wants Qt's Wayland platform.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "sqlite3, libqt6sql6-ibase, pkexec, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "firebird3.0-utils")
include(CPack)
