# tests of the application shell: menus, start-up, mode and calculation commands
tessaro_add_test(NAME test_menu_table SOURCES test_menu_table.cpp LIBS tessaro_app)
tessaro_add_test(NAME test_shell_commands SOURCES test_shell_commands.cpp LIBS tessaro_app)
tessaro_add_test(NAME test_startup SOURCES test_startup.cpp LIBS tessaro_app)
tessaro_add_test(NAME test_first_start SOURCES test_first_start.cpp LIBS tessaro_app)
