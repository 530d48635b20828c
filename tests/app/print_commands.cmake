# Tests of print_commands. The command file and the scripted dialogs are built
# in directly, so the test needs only the printing libraries.
tessaro_add_test(NAME test_print_commands
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_print_commands.cpp
            ${PROJECT_SOURCE_DIR}/src/app/print_commands.cpp
            ${PROJECT_SOURCE_DIR}/src/app/print_book.cpp
            ${PROJECT_SOURCE_DIR}/src/ui/scripted_dialogs.cpp
    LIBS tessaro_print_qt)
tessaro_add_test(NAME test_print_book
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_print_book.cpp
            ${PROJECT_SOURCE_DIR}/src/app/print_book.cpp
    LIBS tessaro_print)
target_include_directories(test_print_book PRIVATE ${PROJECT_SOURCE_DIR}/tests/print)
