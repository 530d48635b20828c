# tests of print_commands
