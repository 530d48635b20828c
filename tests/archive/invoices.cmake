# tests of the invoice form, lifecycle, maintenance, totals
