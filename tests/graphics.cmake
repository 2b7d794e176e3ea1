# Tests of the graphics windows and their models (included by tests/CMakeLists.txt).
kaleno_add_test(tst_colourconversions SOURCES graphics/tst_colourconversions.cpp LIBS kaleno_core)
kaleno_add_test(tst_couleurf SOURCES graphics/tst_couleurf.cpp LIBS kaleno GUI)
