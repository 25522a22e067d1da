# Parsing Qt's headers is most of what a file of ours costs to compile (about
# two thirds of a typical file). Two precompiled headers carry the Qt headers
# most files include: one of Qt Core for the parts without windows, one that
# adds Qt Gui and Qt Widgets. Each is built once and reused by every target of
# its kind, which works because their compile options agree.
#
# GCC uses a precompiled header only when the macros defined on its command
# line were defined when it was built too, and no other macro tested in its
# headers is defined now (extra macros of our own are fine). So each is built
# with the fewest Qt modules (QT_CORE_LIB, or QT_CORE_LIB, QT_GUI_LIB and
# QT_WIDGETS_LIB), and holds no header that tests a module macro (<QTest>
# tests QT_WIDGETS_LIB and QT_NETWORK_LIB, so each suite still reads it).
# -Winvalid-pch names any file that cannot use its header, rather than
# letting it quietly parse everything again.
option(CT_PRECOMPILE_HEADERS "Precompile the Qt headers most files include" ON)

set(CT_PCH_CORE_HEADERS
    <algorithm> <functional> <memory> <optional> <utility> <vector>
    <QByteArray> <QCoreApplication> <QCryptographicHash> <QDir> <QElapsedTimer> <QFile>
    <QFileInfo> <QHash> <QJsonArray> <QJsonDocument> <QJsonObject> <QList> <QLocale> <QObject>
    <QPointer> <QRegularExpression> <QString> <QStringList> <QTimer> <QUrl>)
set(CT_PCH_WIDGETS_HEADERS ${CT_PCH_CORE_HEADERS}
    <QAbstractButton> <QApplication> <QFileDialog> <QGroupBox> <QImage> <QLabel> <QLineEdit>
    <QMessageBox> <QMouseEvent> <QPainter> <QProgressBar> <QPushButton> <QRadioButton>
    <QScreen> <QVBoxLayout> <QWidget>)

# Whether <target> links Qt Widgets, or only Qt modules without windows, or no
# Qt at all (widgets, core or none), through the targets it links.
function(ct_qt_kind target out)
    set(kind none)
    set(seen)
    set(pending ${target})
    while(pending)
        list(POP_FRONT pending current)
        if(current IN_LIST seen)
            continue()
        endif()
        list(APPEND seen ${current})
        if(current MATCHES "^Qt6::(Widgets|WebEngineWidgets)$")
            set(kind widgets)
            break()
        elseif(current MATCHES "^Qt6::")
            set(kind core)
        elseif(TARGET ${current})
            get_target_property(imported ${current} IMPORTED)
            if(NOT imported)
                get_target_property(type ${current} TYPE)
                set(links)
                if(NOT type STREQUAL "INTERFACE_LIBRARY")
                    get_target_property(links ${current} LINK_LIBRARIES)
                endif()
                get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
                foreach(link IN LISTS links interface)
                    # $<LINK_ONLY:x> and friends: the target inside.
                    string(REGEX REPLACE "^\\$<[A-Z_]+:(.*)>$" "\\1" link "${link}")
                    if(link AND NOT link MATCHES "NOTFOUND$")
                        list(APPEND pending ${link})
                    endif()
                endforeach()
            endif()
        endif()
    endwhile()
    set(${out} ${kind} PARENT_SCOPE)
endfunction()

# Gives every compiled target under the top directory the precompiled header
# of its kind. Called once, after all targets are defined.
function(ct_precompile_qt_headers)
    if(NOT CT_PRECOMPILE_HEADERS)
        return()
    endif()
    # The headers' own targets: one empty file each, so the header has a
    # target to be built in, with the global options and the fewest modules.
    set(empty ${CMAKE_BINARY_DIR}/ct_pch_empty.cpp)
    file(CONFIGURE OUTPUT ${empty} CONTENT "// The precompiled headers' own target compiles this.\n")
    add_library(ct_pch_core OBJECT ${empty})
    target_link_libraries(ct_pch_core PRIVATE Qt6::Core)
    target_precompile_headers(ct_pch_core PRIVATE ${CT_PCH_CORE_HEADERS})
    add_library(ct_pch_widgets OBJECT ${empty})
    target_link_libraries(ct_pch_widgets PRIVATE Qt6::Widgets)
    target_precompile_headers(ct_pch_widgets PRIVATE ${CT_PCH_WIDGETS_HEADERS})
    foreach(donor ct_pch_core ct_pch_widgets)
        set_target_properties(${donor} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
    endforeach()

    set(pending ${CMAKE_SOURCE_DIR})
    while(pending)
        list(POP_FRONT pending directory)
        get_directory_property(targets DIRECTORY ${directory} BUILDSYSTEM_TARGETS)
        foreach(target IN LISTS targets)
            get_target_property(type ${target} TYPE)
            if(NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$"
                OR target MATCHES "^ct_pch_")
                continue()
            endif()
            ct_qt_kind(${target} kind)
            if(NOT kind STREQUAL "none")
                target_precompile_headers(${target} REUSE_FROM ct_pch_${kind})
                target_compile_options(${target} PRIVATE -Winvalid-pch)
            endif()
        endforeach()
        get_directory_property(subdirectories DIRECTORY ${directory} SUBDIRECTORIES)
        list(APPEND pending ${subdirectories})
    endwhile()
endfunction()
