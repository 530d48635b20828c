# Sanitizer flags, applied to every target when TESSARO_SANITIZE is on.
#
# AddressSanitizer and UndefinedBehaviorSanitizer together; every report ends
# the process (-fno-sanitize-recover=all), so a test that trips one fails
# instead of printing a line nobody reads. The frame pointers keep the stack
# traces of the reports complete. float-cast-overflow is asked for by name
# because GCC leaves it out of "undefined": a double too large for the integer
# it is cast to is exactly the fault an amount read from a file can cause.
if(TESSARO_SANITIZE)
    set(TESSARO_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        list(APPEND TESSARO_SANITIZER_FLAGS -fsanitize=float-cast-overflow)
    endif()
    add_compile_options(${TESSARO_SANITIZER_FLAGS})
    add_link_options(${TESSARO_SANITIZER_FLAGS})
    message(STATUS "Sanitizers: ${TESSARO_SANITIZER_FLAGS}")
endif()
