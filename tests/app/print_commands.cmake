# Tests of print_commands. The command file and the scripted dialogs are built
# in directly, so the test needs only the printing libraries.
tessaro_add_test(NAME test_print_commands
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_print_commands.cpp
            ${PROJECT_SOURCE_DIR}/src/app/print_commands.cpp
            ${PROJECT_SOURCE_DIR}/src/ui/scripted_dialogs.cpp
    LIBS tessaro_print_qt)
