target_sources(tessaro_app PRIVATE
    extra_lines_commands.cpp
    issuer_commands.cpp
)
