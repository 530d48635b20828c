target_sources(tessaro_archive PRIVATE
    invoice_form.cpp
    lifecycle.cpp
    maintenance.cpp
    totals.cpp
)
