# Tests of the optics windows and their models (included by tests/CMakeLists.txt).
