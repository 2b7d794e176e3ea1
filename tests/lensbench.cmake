# Tests of the thick-lens bench window (included by tests/CMakeLists.txt).
kaleno_add_test(tst_lensf SOURCES optics/tst_lensf.cpp LIBS kaleno GUI)
