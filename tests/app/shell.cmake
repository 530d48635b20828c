# tests of the application shell: menus, start-up, mode and calculation commands
tessaro_add_test(NAME test_menu_table SOURCES test_menu_table.cpp LIBS tessaro_app)
tessaro_add_test(NAME test_shell_commands SOURCES test_shell_commands.cpp LIBS tessaro_app)
tessaro_add_test(NAME test_startup SOURCES test_startup.cpp LIBS tessaro_app)
tessaro_add_test(NAME test_first_start SOURCES test_first_start.cpp LIBS tessaro_app)
tessaro_add_test(NAME test_one_figure
    SOURCES test_one_figure.cpp ${PROJECT_SOURCE_DIR}/tests/einvoice/samples.cpp
            ${PROJECT_SOURCE_DIR}/src/ui/scripted_dialogs.cpp
    LIBS tessaro_app)
target_include_directories(test_one_figure PRIVATE ${PROJECT_SOURCE_DIR}/tests/print ${PROJECT_SOURCE_DIR}/tests/einvoice)
tessaro_add_test(NAME test_translations SOURCES test_translations.cpp LIBS tessaro_app)
