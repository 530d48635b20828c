target_sources(tessaro_archive PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/file_system.cpp
    ${CMAKE_CURRENT_LIST_DIR}/record_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/journal.cpp
    ${CMAKE_CURRENT_LIST_DIR}/journal_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/journal_first_checksum.cpp
    ${CMAKE_CURRENT_LIST_DIR}/recovery.cpp
    ${CMAKE_CURRENT_LIST_DIR}/whole_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/codepage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/records.cpp
    ${CMAKE_CURRENT_LIST_DIR}/book.cpp
    ${CMAKE_CURRENT_LIST_DIR}/credit_notes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/payments.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settlement.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/issuers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/clients.cpp
)
