target_sources(tessaro_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/main_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_window.h
    ${CMAKE_CURRENT_LIST_DIR}/main_window_table.cpp
    ${CMAKE_CURRENT_LIST_DIR}/navigation.cpp
)
