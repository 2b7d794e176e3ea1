# Tests of the camera's model and pictures (included by tests/CMakeLists.txt).
kaleno_add_test(tst_cameramodel SOURCES optics/tst_cameramodel.cpp LIBS kaleno_core)
kaleno_add_test(tst_filmpicture SOURCES optics/tst_filmpicture.cpp LIBS kaleno GUI)
