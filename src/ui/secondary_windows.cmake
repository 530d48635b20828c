target_sources(tessaro_ui PRIVATE
    duplicate_dialog.cpp
    extra_lines_window.cpp
    extra_lines_window_table.cpp
    info_windows.cpp
    issuer_window.cpp
    issuer_window_table.cpp
    qt_dialogs.cpp
)
set_source_files_properties(info_windows.cpp PROPERTIES
    COMPILE_DEFINITIONS "TESSARO_VERSION=\"${PROJECT_VERSION}\"")
