# Tests of the RGB decomposition window, its frame and its channel split (included by
# tests/CMakeLists.txt).
kaleno_add_test(tst_rgbsplit SOURCES graphics/tst_rgbsplit.cpp LIBS kaleno_core)
kaleno_add_test(tst_rgbf SOURCES graphics/tst_rgbf.cpp LIBS kaleno GUI)
