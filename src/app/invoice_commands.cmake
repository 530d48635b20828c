target_sources(tessaro_app PRIVATE
    invoice_commands.cpp
    book_commands.cpp
    totals_commands.cpp
    client_commands.cpp
    credit_note_commands.cpp
    save_checks.cpp
)
