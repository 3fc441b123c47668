# Where a packaged program keeps its files: the programs in bin, the cursor files and
# the default hall of fame in share/elvarin, a desktop entry for the game.
include(GNUInstallDirs)
set(ELVARIN_DATA_DIR ${CMAKE_INSTALL_DATADIR}/elvarin)

install(TARGETS trainer make_population strength RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET korvane)
    install(TARGETS korvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/game/resources/oui.cur ${PROJECT_SOURCE_DIR}/game/resources/non.cur
                  ${PROJECT_SOURCE_DIR}/game/data/meillfl.don
            DESTINATION ${ELVARIN_DATA_DIR})
    # The game reads its files from the working folder: the launcher prepares one per user.
    install(PROGRAMS ${PROJECT_SOURCE_DIR}/tools/korvane-play DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/tools/korvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
endif()
