# tests of invoice_commands
