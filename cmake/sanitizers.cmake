# Sanitizer flags, applied to every target when TESSARO_SANITIZE is on.
