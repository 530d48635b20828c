target_sources(tessaro_app PRIVATE einvoice_commands.cpp einvoice_data_commands.cpp sdi_commands.cpp extra_lines_commands.cpp
                                   issuer_commands.cpp issuer_window_controller.cpp pdf_commands.cpp)
    target_link_libraries(tessaro_app PUBLIC tessaro_einvoice)
