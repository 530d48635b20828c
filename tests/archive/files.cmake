# tests of record files, codepage, records, settings, issuers, clients, books
