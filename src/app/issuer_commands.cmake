target_sources(tessaro_app PRIVATE)
