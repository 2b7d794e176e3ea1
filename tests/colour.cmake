# Tests of the colour windows and their models (included by tests/CMakeLists.txt).
kaleno_add_test(tst_synthesisrules SOURCES colour/tst_synthesisrules.cpp LIBS kaleno_core)
kaleno_add_test(tst_addf SOURCES colour/tst_addf.cpp colour/SynthesisProbe.h LIBS kaleno GUI)
kaleno_add_test(tst_subf SOURCES colour/tst_subf.cpp colour/SynthesisProbe.h LIBS kaleno GUI)
