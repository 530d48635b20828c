# tests of shell
