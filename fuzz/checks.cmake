# The property checks the fuzz targets run on every input. The regression
# test under tests/fuzz_regressions replays saved inputs through the same
# checks, so both include this file; the libraries are made once.
if(NOT TARGET tessaro_fuzz_findings)
    set(TESSARO_CHECKS_DIR ${PROJECT_SOURCE_DIR}/fuzz/properties)

    add_library(tessaro_fuzz_findings STATIC ${TESSARO_CHECKS_DIR}/findings.cpp)
    target_include_directories(tessaro_fuzz_findings PUBLIC ${PROJECT_SOURCE_DIR}/fuzz)

    add_library(tessaro_check_number_rules STATIC ${TESSARO_CHECKS_DIR}/number_rules_check.cpp)
    target_link_libraries(tessaro_check_number_rules PUBLIC tessaro_fuzz_findings tessaro_calc)

    add_library(tessaro_check_record_codecs STATIC ${TESSARO_CHECKS_DIR}/record_codecs_check.cpp)
    target_link_libraries(tessaro_check_record_codecs PUBLIC tessaro_fuzz_findings tessaro_archive)

    add_library(tessaro_check_invoice_printing STATIC ${TESSARO_CHECKS_DIR}/invoice_printing_check.cpp)
    target_link_libraries(tessaro_check_invoice_printing PUBLIC tessaro_fuzz_findings tessaro_print)

    add_library(tessaro_check_receipt_reading STATIC ${TESSARO_CHECKS_DIR}/receipt_reading_check.cpp)
    target_link_libraries(tessaro_check_receipt_reading PUBLIC tessaro_fuzz_findings tessaro_einvoice)

    set(TESSARO_CHECK_LIBRARIES tessaro_fuzz_findings tessaro_check_number_rules tessaro_check_record_codecs
                                tessaro_check_invoice_printing tessaro_check_receipt_reading)
endif()
