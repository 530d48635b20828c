# tests of the secondary windows and Qt dialogs
tessaro_add_test(NAME test_issuer_window SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_issuer_window.cpp LIBS tessaro_ui)
tessaro_add_test(NAME test_extra_lines_window SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_extra_lines_window.cpp LIBS tessaro_ui)
tessaro_add_test(NAME test_qt_dialogs SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_qt_dialogs.cpp LIBS tessaro_ui)
tessaro_add_test(NAME test_einvoice_window SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_einvoice_window.cpp LIBS tessaro_ui)
tessaro_add_test(NAME test_payments_window SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_payments_window.cpp LIBS tessaro_ui)
