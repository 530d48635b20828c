# tests of issuer_commands
tessaro_add_test(NAME test_issuer_commands SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_issuer_commands.cpp LIBS tessaro_app)
tessaro_add_test(NAME test_issuer_window_controller SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_issuer_window_controller.cpp LIBS tessaro_app)
tessaro_add_test(NAME test_extra_lines_commands SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_extra_lines_commands.cpp LIBS tessaro_app)
tessaro_add_test(NAME test_einvoice_commands SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_einvoice_commands.cpp ${PROJECT_SOURCE_DIR}/tests/einvoice/samples.cpp LIBS tessaro_app)
target_include_directories(test_einvoice_commands PRIVATE ${PROJECT_SOURCE_DIR}/tests/einvoice)
tessaro_add_test(NAME test_einvoice_data_commands SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_einvoice_data_commands.cpp LIBS tessaro_app)
tessaro_add_test(NAME test_pdf_commands SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_pdf_commands.cpp LIBS tessaro_app)
# the exchange system's receipts read back into the invoices' histories
tessaro_add_test(NAME test_sdi_commands SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_sdi_commands.cpp ${PROJECT_SOURCE_DIR}/tests/einvoice/samples.cpp LIBS tessaro_app)
target_include_directories(test_sdi_commands PRIVATE ${PROJECT_SOURCE_DIR}/tests/einvoice)
find_package(LibArchive REQUIRED)
target_link_libraries(test_sdi_commands PRIVATE LibArchive::LibArchive)
