# Tests of the colour windows and their models (included by tests/CMakeLists.txt).
