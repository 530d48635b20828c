# tests of the invoice form, lifecycle, maintenance, totals
tessaro_add_test(NAME test_invoice_form SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_invoice_form.cpp LIBS tessaro_archive)
tessaro_add_test(NAME test_lifecycle SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_lifecycle.cpp ${CMAKE_CURRENT_LIST_DIR}/invoice_books.h LIBS tessaro_archive)
tessaro_add_test(NAME test_maintenance SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_maintenance.cpp ${CMAKE_CURRENT_LIST_DIR}/invoice_books.h LIBS tessaro_archive)
tessaro_add_test(NAME test_totals SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_totals.cpp ${CMAKE_CURRENT_LIST_DIR}/invoice_books.h LIBS tessaro_archive)
tessaro_add_test(NAME test_totals_fast_path SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_totals_fast_path.cpp LIBS tessaro_archive)
tessaro_add_test(NAME test_payments SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_payments.cpp ${CMAKE_CURRENT_LIST_DIR}/invoice_books.h LIBS tessaro_archive)
tessaro_add_test(NAME test_notices SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_notices.cpp ${CMAKE_CURRENT_LIST_DIR}/invoice_books.h LIBS tessaro_archive)
