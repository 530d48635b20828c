target_sources(tessaro_archive PRIVATE
    file_system.cpp
    record_file.cpp
    codepage.cpp
    records.cpp
    book.cpp
)
