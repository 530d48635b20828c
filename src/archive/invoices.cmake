target_sources(tessaro_archive PRIVATE
    invoice_form.cpp
    lifecycle.cpp
    maintenance.cpp
    stored_figures.cpp
    totals.cpp
)
