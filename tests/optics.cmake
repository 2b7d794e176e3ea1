# Tests of the optics windows and their models (included by tests/CMakeLists.txt).
kaleno_add_test(tst_lensmodel SOURCES optics/tst_lensmodel.cpp LIBS kaleno_core)
