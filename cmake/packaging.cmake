# Packages made with CPack from the install rules of the top-level
# CMakeLists.txt:
#   Linux:   cpack --config <build>/CPackConfig.cmake   -> grelvin_<version>_<arch>.deb
#   Windows (the mingw-w64 cross build too): the same   -> grelvin-<version>-win64.zip
# The Debian package installs /usr/bin/grelvin, the manual page and the README.

set(GRELVIN_PACKAGE_MAINTAINER "grelvin maintainers <maintainers@grelvin.invalid>"
    CACHE STRING "Maintainer named in the packages")

set(CPACK_PACKAGE_NAME grelvin)
set(CPACK_PACKAGE_VENDOR "grelvin project")
set(CPACK_PACKAGE_CONTACT "${GRELVIN_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "converter of chunked binary 3D model files to text model files")
set(CPACK_PACKAGE_DESCRIPTION
    "grelvin converts one 3D model stored in a chunked binary model file (the
files that start with the bytes 1FFE0FNI) into a line-oriented text model
file (.e): materials, points, triangles grouped in parts, texture
coordinates, a collision object and hit-box cubes. The output is byte-exact
and the tool is safe on damaged input: it never crashes or hangs, it keeps an
existing output when the input is not a model file, and it refuses to write
over its own input.")
set(CPACK_RESOURCE_FILE_README "${PROJECT_SOURCE_DIR}/README.md")
set(CPACK_STRIP_FILES TRUE)

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_SYSTEM_NAME win64)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${GRELVIN_PACKAGE_MAINTAINER}")
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    # The executable links the C library dynamically and the C++ runtime
    # statically; dpkg-shlibdeps (package dpkg-dev) computes the libc6
    # dependency from the binary itself.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
endif()

include(CPack)
