# Tests of the graphics windows and their models (included by tests/CMakeLists.txt).
