# tests of the invoice window
tessaro_add_test(NAME test_main_window SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_main_window.cpp LIBS tessaro_ui)
tessaro_add_test(NAME test_navigation SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_navigation.cpp LIBS tessaro_ui)
tessaro_add_test(NAME test_accessibility SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_accessibility.cpp LIBS tessaro_ui)
