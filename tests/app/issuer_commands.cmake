# tests of issuer_commands
