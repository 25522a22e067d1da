# Every ctest test carries exactly one of these labels, so that
# `ctest --preset default -L <label>` picks a kind of test:
#   unit        no widgets and no display: the builders, the pane's pure
#               readers, the layout generators; seconds in all
#   widget      the windows on Qt's offscreen platform, or on Xvfb without
#               the web engine
#   engine      the real web engine pane, under Xvfb
#   acceptance  the whole toolbox, assembled through its window registry as
#               the program assembles it
#   package     the install tree, the desktop entry and the metainfo
set(CT_TEST_LABELS unit widget engine acceptance package)

# Gives test `name` its one label; an empty or unknown label stops the
# configuration. The first call in a directory also schedules, for the end of
# that directory, a check that every test defined there has exactly one
# known label.
function(ct_label_test name label)
    if(NOT label)
        message(FATAL_ERROR "test ${name} has no label; give it one of: ${CT_TEST_LABELS}")
    endif()
    if(NOT label IN_LIST CT_TEST_LABELS)
        message(FATAL_ERROR "test ${name} has the unknown label '${label}'; known: ${CT_TEST_LABELS}")
    endif()
    set_tests_properties(${name} PROPERTIES LABELS ${label})
    get_directory_property(scheduled CT_TEST_LABELS_SCHEDULED)
    if(NOT scheduled)
        set_directory_properties(PROPERTIES CT_TEST_LABELS_SCHEDULED TRUE)
        cmake_language(DEFER CALL ct_check_directory_test_labels)
    endif()
endfunction()

# Runs at the end of a directory that labels tests: each of its tests has
# exactly one label, and a known one.
function(ct_check_directory_test_labels)
    get_directory_property(tests TESTS)
    foreach(test IN LISTS tests)
        get_test_property(${test} LABELS labels)
        if(NOT labels)
            message(FATAL_ERROR "test ${test} has no label; give it one of: ${CT_TEST_LABELS}")
        endif()
        list(LENGTH labels count)
        if(NOT count EQUAL 1 OR NOT labels IN_LIST CT_TEST_LABELS)
            message(FATAL_ERROR
                "test ${test} has the labels '${labels}'; it needs exactly one of: ${CT_TEST_LABELS}")
        endif()
    endforeach()
    set_directory_properties(PROPERTIES CT_TEST_LABELS_CHECKED TRUE)
endfunction()

# Runs at the end of the top directory: a directory that defines tests but
# never labelled one was not checked above, so its tests have no label.
function(ct_check_test_labels)
    set(pending ${CMAKE_SOURCE_DIR})
    while(pending)
        list(POP_FRONT pending directory)
        get_directory_property(tests DIRECTORY ${directory} TESTS)
        get_directory_property(checked DIRECTORY ${directory} CT_TEST_LABELS_CHECKED)
        if(tests AND NOT checked)
            message(FATAL_ERROR "tests without a label in ${directory}: ${tests}; "
                "give each one of: ${CT_TEST_LABELS} (ct_label_test)")
        endif()
        get_directory_property(subdirectories DIRECTORY ${directory} SUBDIRECTORIES)
        list(APPEND pending ${subdirectories})
    endwhile()
endfunction()
