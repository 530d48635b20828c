# tests of invoice_commands
tessaro_add_test(NAME test_invoice_commands SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_invoice_commands.cpp LIBS tessaro_app)
tessaro_add_test(NAME test_book_commands SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_book_commands.cpp LIBS tessaro_app)
tessaro_add_test(NAME test_credit_notes SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_credit_notes.cpp LIBS tessaro_app)
target_include_directories(test_credit_notes PRIVATE ${PROJECT_SOURCE_DIR}/tests/print)
# nothing typed is let go without a question
tessaro_add_test(NAME test_unsaved_work SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_unsaved_work.cpp LIBS tessaro_app)
# the payments of an invoice, through their window
tessaro_add_test(NAME test_payment_commands SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_payment_commands.cpp LIBS tessaro_app)
target_include_directories(test_payment_commands PRIVATE ${PROJECT_SOURCE_DIR}/tests/print)
# the flat-rate window and the alert a payment gives past a limit
tessaro_add_test(NAME test_flat_rate_commands SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_flat_rate_commands.cpp LIBS tessaro_app)
target_include_directories(test_flat_rate_commands PRIVATE ${PROJECT_SOURCE_DIR}/tests/print)
# the payments of a year, through their window
tessaro_add_test(NAME test_year_receipts_commands SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_year_receipts_commands.cpp LIBS tessaro_app)
target_include_directories(test_year_receipts_commands PRIVATE ${PROJECT_SOURCE_DIR}/tests/print ${PROJECT_SOURCE_DIR}/tests/archive)
# the fee notices, and the invoice each becomes when paid
tessaro_add_test(NAME test_notice_commands SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_notice_commands.cpp LIBS tessaro_app)
target_include_directories(test_notice_commands PRIVATE ${PROJECT_SOURCE_DIR}/tests/print)
