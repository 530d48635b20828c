# tests of the application shell: menus, start-up, mode and calculation commands
tessaro_add_test(NAME test_menu_table SOURCES test_menu_table.cpp LIBS tessaro_app)
