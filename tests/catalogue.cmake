# Tests of the image catalogue and its model (included by tests/CMakeLists.txt).
kaleno_add_test(tst_browsermodel SOURCES catalogue/tst_browsermodel.cpp LIBS kaleno_core)
kaleno_add_test(tst_browserf SOURCES catalogue/tst_browserf.cpp LIBS kaleno GUI)
