target_sources(tessaro_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/print_book.cpp
    ${CMAKE_CURRENT_LIST_DIR}/print_commands.cpp
)
