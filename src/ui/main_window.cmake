target_sources(tessaro_ui PRIVATE)
