// Lets a library that has no sources yet still configure.
