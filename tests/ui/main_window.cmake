# tests of the invoice window
