# Tests of the lens editor and the optics display-colours dialogs (included by
# tests/CMakeLists.txt).
kaleno_add_test(tst_lensedf SOURCES optics/tst_lensedf.cpp LIBS kaleno GUI)
kaleno_add_test(tst_choixgeof SOURCES optics/tst_choixgeof.cpp LIBS kaleno GUI)
