// The one source of the library that holds the tests' precompiled header.
