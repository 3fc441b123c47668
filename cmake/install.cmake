# What `cmake --install` and the packages (cmake/package.cmake) put where.
#
# Linux, as Debian keeps games: the programs in games/ under names that no other
# program claims (korvane, korvane-play, elvarin-trainer, elvarin-make-population,
# elvarin-strength, elvarin-evolve), the default hall of fame and the cursor files in
# share/games/elvarin, a desktop entry with its icons and AppStream metadata, manual
# pages in section 6 in English and French, the copyright file and the change log.
#
# Windows: everything side by side at the top of the folder, as the zip is unpacked:
# the game finds its files in the folder it starts in.
include(GNUInstallDirs)

set(elvarin_default_files
    ${PROJECT_SOURCE_DIR}/game/data/meillfl.don
    ${PROJECT_SOURCE_DIR}/game/resources/oui.cur
    ${PROJECT_SOURCE_DIR}/game/resources/non.cur)

if(WIN32)
    set(ELVARIN_WINDOWS_ARCH ${CMAKE_SYSTEM_PROCESSOR})
    # The names of the files in the folder, for the installer (cmake/package.cmake): those
    # that are the installer's own, and those a player may replace with their own.
    set(ELVARIN_WINDOWS_FILES)
    set(ELVARIN_WINDOWS_PLAYER_FILES)
    foreach(program trainer make_population korvane)
        if(TARGET ${program})
            install(TARGETS ${program} RUNTIME DESTINATION .)
            list(APPEND ELVARIN_WINDOWS_FILES ${program}${CMAKE_EXECUTABLE_SUFFIX})
        endif()
    endforeach()
    if(TARGET korvane)
        install(FILES ${elvarin_default_files} DESTINATION .)
        foreach(file ${elvarin_default_files})
            get_filename_component(name ${file} NAME)
            list(APPEND ELVARIN_WINDOWS_PLAYER_FILES ${name})
        endforeach()
    endif()
    # Notepad reads these as UTF-8 by their byte-order mark, on every Windows.
    string(ASCII 239 187 191 utf8_byte_order_mark)
    foreach(text README.txt LISEZMOI.txt)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/packaging/windows/${text})
        file(READ ${PROJECT_SOURCE_DIR}/packaging/windows/${text} lines)
        file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/packaging/${text}
             CONTENT "${utf8_byte_order_mark}${lines}" @ONLY NEWLINE_STYLE CRLF)
        install(FILES ${CMAKE_BINARY_DIR}/packaging/${text} DESTINATION .)
        list(APPEND ELVARIN_WINDOWS_FILES ${text})
    endforeach()
    return()
endif()

set(ELVARIN_GAMES_DIR games)
set(ELVARIN_DATA_DIR ${CMAKE_INSTALL_DATADIR}/games/elvarin)
set(ELVARIN_APP_ID org.elvarin.korvane)

# Installs a program under its installed name; the build keeps the short name. A
# stripped install (the packages) also drops the sections that only name the compiler.
function(install_program target installed_name)
    install(TARGETS ${target} RUNTIME DESTINATION ${ELVARIN_GAMES_DIR})
    set(dir "\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ELVARIN_GAMES_DIR}")
    if(NOT target STREQUAL installed_name)
        install(CODE "file(RENAME \"${dir}/${target}\" \"${dir}/${installed_name}\")
    list(TRANSFORM CMAKE_INSTALL_MANIFEST_FILES REPLACE \"/${target}\$\" \"/${installed_name}\")")
    endif()
    install(CODE "if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                                \"${dir}/${installed_name}\" COMMAND_ERROR_IS_FATAL ANY)
    endif()")
endfunction()

install_program(trainer elvarin-trainer)
install_program(make_population elvarin-make-population)
install_program(strength elvarin-strength)
install_program(evolve elvarin-evolve)
set(manual_pages elvarin-trainer elvarin-make-population elvarin-strength elvarin-evolve)

find_program(GZIP_PROGRAM gzip REQUIRED)
set(packaging_dir ${CMAKE_BINARY_DIR}/packaging)

if(TARGET korvane)
    install_program(korvane korvane)
    install(FILES ${elvarin_default_files} DESTINATION ${ELVARIN_DATA_DIR})
    list(APPEND manual_pages korvane)

    # The game reads its files from the working folder: the launcher prepares one per
    # user, and finds the default files relative to itself.
    file(RELATIVE_PATH KORVANE_DATA_FROM_PROGRAMS /usr/${ELVARIN_GAMES_DIR} /usr/${ELVARIN_DATA_DIR})
    configure_file(${PROJECT_SOURCE_DIR}/packaging/korvane-play.in ${packaging_dir}/korvane-play @ONLY)
    install(PROGRAMS ${packaging_dir}/korvane-play DESTINATION ${ELVARIN_GAMES_DIR})

    install(FILES ${PROJECT_SOURCE_DIR}/packaging/${ELVARIN_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/${ELVARIN_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

    # The desktop icons, drawn like the Windows icon by game/resources/make_resources.py.
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    set(icon_files)
    foreach(size 16 24 32 48 64 128 256)
        list(APPEND icon_files ${packaging_dir}/icons/hicolor/${size}x${size}/apps/${ELVARIN_APP_ID}.png)
    endforeach()
    add_custom_command(
        OUTPUT ${icon_files}
        COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/game/resources/make_resources.py --icons ${packaging_dir}/icons
        DEPENDS ${PROJECT_SOURCE_DIR}/game/resources/make_resources.py
        COMMENT "Drawing the desktop icons"
        VERBATIM)
    add_custom_target(desktop_icons ALL DEPENDS ${icon_files})
    install(DIRECTORY ${packaging_dir}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()

# Manual pages, English in man6 and French in fr/man6, compressed as Debian wants them
# (gzip -9n: no name, no time stamp).
set(compressed_docs)
foreach(language_dir "" "fr/")
    foreach(page ${manual_pages})
        set(page_copy ${packaging_dir}/man/${language_dir}man6/${page}.6)
        add_custom_command(
            OUTPUT ${page_copy}.gz
            COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/docs/man/${language_dir}${page}.6 ${page_copy}
            COMMAND ${GZIP_PROGRAM} -9nf ${page_copy}
            DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${language_dir}${page}.6
            VERBATIM)
        list(APPEND compressed_docs ${page_copy}.gz)
    endforeach()
    if(TARGET korvane)
        # korvane-play is described in korvane(6).
        file(MAKE_DIRECTORY ${packaging_dir}/man/${language_dir}man6)
        file(CREATE_LINK korvane.6.gz ${packaging_dir}/man/${language_dir}man6/korvane-play.6.gz SYMBOLIC)
    endif()
endforeach()

set(changelog_copy ${packaging_dir}/doc/changelog.Debian)
add_custom_command(
    OUTPUT ${changelog_copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/debian/changelog ${changelog_copy}
    COMMAND ${GZIP_PROGRAM} -9nf ${changelog_copy}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/debian/changelog
    VERBATIM)
list(APPEND compressed_docs ${changelog_copy}.gz)
add_custom_target(compressed_docs ALL DEPENDS ${compressed_docs})

install(DIRECTORY ${packaging_dir}/man/ DESTINATION ${CMAKE_INSTALL_MANDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright ${changelog_copy}.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME elvarin)
