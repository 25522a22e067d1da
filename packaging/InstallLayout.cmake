# Where the program and its pane module lie, relative to the top of the
# install tree. The build tree copies that layout, so the program finds the
# module by one path from its own folder in both, wherever either tree is
# moved (DESTDIR staging, dpkg -x into a scratch root).
include(GNUInstallDirs)

# Names the desktop entry, the icon and the metainfo, and the program gives it
# to the window system so its windows are matched to that entry.
set(CT_APP_ID io.github.creeper_toolkit.CreeperToolkit)

foreach(kind IN ITEMS BINDIR LIBDIR DATADIR)
    file(RELATIVE_PATH CT_INSTALL_${kind} ${CMAKE_INSTALL_PREFIX} ${CMAKE_INSTALL_FULL_${kind}})
    if(CT_INSTALL_${kind} STREQUAL "" OR CT_INSTALL_${kind} MATCHES "^\\.\\.(/|$)")
        message(FATAL_ERROR
            "CMAKE_INSTALL_${kind} (${CMAKE_INSTALL_FULL_${kind}}) must lie below "
            "CMAKE_INSTALL_PREFIX (${CMAKE_INSTALL_PREFIX}): the build tree mirrors that layout.")
    endif()
endforeach()

set(CT_PANE_MODULE_DIR ${CT_INSTALL_LIBDIR}/creeper-toolkit)
file(RELATIVE_PATH CT_PANE_MODULE_FROM_BINDIR
    /${CT_INSTALL_BINDIR} /${CT_PANE_MODULE_DIR})

# The program and the tests; the pane module's own folder is set where it is made.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/${CT_INSTALL_BINDIR})
