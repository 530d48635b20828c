# tests of invoice_commands
tessaro_add_test(NAME test_invoice_commands SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_invoice_commands.cpp LIBS tessaro_app)
tessaro_add_test(NAME test_book_commands SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_book_commands.cpp LIBS tessaro_app)
