target_sources(tessaro_ui PRIVATE
    duplicate_dialog.cpp
    einvoice_window.cpp
    einvoice_window_table.cpp
    extra_lines_window.cpp
    extra_lines_window_table.cpp
    flat_rate_window.cpp
    flat_rate_window_table.cpp
    identifier_hints.cpp
    info_windows.cpp
    issuer_window.cpp
    issuer_window_table.cpp
    payment_lists.cpp
    payments_window.cpp
    payments_window_table.cpp
    withholdings_window.cpp
    withholdings_window_table.cpp
    qt_dialogs.cpp
    year_receipts_window.cpp
    year_receipts_window_table.cpp
)
set_source_files_properties(info_windows.cpp PROPERTIES
    COMPILE_DEFINITIONS "TESSARO_VERSION=\"${PROJECT_VERSION}\"")
# The e-invoice window lists the codes of the electronic invoice and keeps its file.
target_link_libraries(tessaro_ui PUBLIC tessaro_einvoice)
