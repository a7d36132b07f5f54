# The Debian package: cpack -G DEB in the build folder (scripts/test-package.sh builds, checks and
# tries it). The library dependencies are found by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME vantor2000)
set(CPACK_PACKAGE_VENDOR "The Vantor-2000 developers")
set(CPACK_PACKAGE_CONTACT "The Vantor-2000 developers <maintainers@vantor2000.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "move KX7 2000 magic data between tracks, text files and the game")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Below the summary, which CPack puts first.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vantor-2000 is a tool for modders of the KX7 2000 racing game. It moves a
track's magic data, the 130 per-track values and the bump table, between a
track file, a magic data file that a person edits, and the game executable,
and edits a track's info block.
.
The package holds the desktop program vantor2000 and the command-line tool
vantor2000-cli, which offers the same operations for scripts.")

# Folders made by the installation get the usual modes whatever the builder's umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

include(CPack)
