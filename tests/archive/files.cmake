# tests of record files, codepage, records, settings, issuers, clients, books
tessaro_add_test(NAME test_record_file SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_record_file.cpp LIBS tessaro_archive)
# The machine's file system itself: POSIX calls on Linux, Win32 calls on Windows.
tessaro_add_test(NAME test_file_system SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_file_system.cpp LIBS tessaro_archive)
# Names inside packed files that could reach outside their folder.
tessaro_add_test(NAME test_entry_path SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_entry_path.cpp LIBS tessaro_archive)
tessaro_add_test(NAME test_codepage SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_codepage.cpp LIBS tessaro_archive)
tessaro_add_test(NAME test_records SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_records.cpp LIBS tessaro_archive)
tessaro_add_test(NAME test_journal SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_journal.cpp ${CMAKE_CURRENT_LIST_DIR}/invoice_books.h LIBS tessaro_archive)
tessaro_add_test(NAME test_book SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_book.cpp LIBS tessaro_archive)
tessaro_add_test(NAME test_settings SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_settings.cpp LIBS tessaro_archive)
tessaro_add_test(NAME test_sdi_history SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_sdi_history.cpp ${CMAKE_CURRENT_LIST_DIR}/invoice_books.h LIBS tessaro_archive)
tessaro_add_test(NAME test_parties SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_parties.cpp LIBS tessaro_archive)

# Golden byte files, written by tests/data/make_golden.py from the field tables.
foreach(test test_records test_settings test_codepage)
    target_compile_definitions(${test} PRIVATE TESSARO_GOLDEN_DIR="${CMAKE_CURRENT_LIST_DIR}/../data")
endforeach()
