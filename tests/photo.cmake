# Tests of the camera window and its object dialog (included by tests/CMakeLists.txt).
kaleno_add_test(tst_photof SOURCES optics/tst_photof.cpp LIBS kaleno GUI)
kaleno_add_test(tst_pickphotof SOURCES optics/tst_pickphotof.cpp LIBS kaleno GUI)
kaleno_add_test(tst_photorules SOURCES optics/tst_photorules.cpp LIBS kaleno_core)
