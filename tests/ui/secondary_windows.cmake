# tests of the secondary windows and Qt dialogs
