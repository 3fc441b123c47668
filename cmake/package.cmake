# The packages, made by CPack from the install rules of cmake/install.cmake:
#   Linux:   cpack -G DEB in a Release build folder -> elvarin_<version>-<revision>_<arch>.deb
#   Windows: cpack -G ZIP in a MinGW build folder  -> elvarin-<version>-windows-<arch>.zip
#            cpack -G NSIS (Debian's nsis) there    -> elvarin-<version>-windows-<arch>-setup.exe
set(CPACK_PACKAGE_NAME elvarin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Elvarin developers")
set(CPACK_PACKAGE_CONTACT "The Elvarin developers <elvarin@example.org>" CACHE STRING
    "Maintainer of the Debian package: name <address>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Reversi against neural networks bred by a genetic algorithm")
set(CPACK_STRIP_FILES TRUE)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git" "/build[^/]*/" "/run/" "__pycache__")

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME elvarin-${PROJECT_VERSION}-windows-${CMAKE_SYSTEM_PROCESSOR})
    # The installer: the same files, through the script cmake/NSIS.template.in, a 64-bit
    # installer for the 64-bit programs; cmake/package_names.cmake adds "-setup" to its name.
    set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake)
    set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/package_names.cmake)
    set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/game/resources/korvane.ico)
    if(CMAKE_SYSTEM_PROCESSOR STREQUAL x86_64)
        set(CPACK_ELVARIN_NSIS_TARGET amd64-unicode)
    else()
        set(CPACK_ELVARIN_NSIS_TARGET x86-unicode)
    endif()
    set(install_lines)
    set(uninstall_lines)
    foreach(kind file player_file)
        set(names ${ELVARIN_WINDOWS_FILES})
        if(kind STREQUAL player_file)
            set(names ${ELVARIN_WINDOWS_PLAYER_FILES})
        endif()
        foreach(name ${names})
            # No quotes: CPack passes them on to the script as list separators.
            list(APPEND install_lines "  !insertmacro install_${kind} ${name}")
            list(APPEND uninstall_lines "  !insertmacro uninstall_${kind} ${name}")
        endforeach()
    endforeach()
    string(JOIN "\n" CPACK_ELVARIN_NSIS_INSTALL ${install_lines})
    string(JOIN "\n" CPACK_ELVARIN_NSIS_UNINSTALL ${uninstall_lines})
    include(CPack)
    return()
endif()

# The Debian revision comes from the package's change log, whose newest entry must be
# this version: "elvarin (<version>-<revision>) ...".
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/debian/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^elvarin \\(${PROJECT_VERSION}-([0-9]+)\\) ")
    message(FATAL_ERROR "packaging/debian/changelog: the newest entry is not for version ${PROJECT_VERSION}")
endif()
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CMAKE_MATCH_1})
file(READ ${PROJECT_SOURCE_DIR}/packaging/org.elvarin.korvane.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<release version=\"${PROJECT_VERSION}\"")
    message(FATAL_ERROR "packaging/org.elvarin.korvane.metainfo.xml: no release entry for version ${PROJECT_VERSION}")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The dependencies are read from the libraries the programs link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
# The first line of the Description field is the summary above; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Korvane is a window in which you play Reversi against 36 small neural
networks. Its level, from 1 to 36, is the number of networks the computer
consults before each of its moves. The game's texts are in French.
.
elvarin-trainer breeds such networks with a genetic algorithm and keeps its
champions in a hall-of-fame file that Korvane can play against;
elvarin-make-population writes its first population and elvarin-strength
measures a hall of fame against random moves, greedy moves, the weighted
piece counter heuristic and its 2- and 4-ply searches. elvarin-evolve breeds
networks of the same kind against those opponents. The package comes with a
hall of fame whose levels form a ladder, from a beginner at level 1 to
networks that beat the heuristic three games in four at level 36.")

include(CPack)
