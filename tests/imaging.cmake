# Tests of the metafile reader and player (included by tests/CMakeLists.txt).
kaleno_add_test(tst_metafilerecords SOURCES imaging/tst_metafilerecords.cpp
                imaging/WmfBuilder.h LIBS kaleno_core)
kaleno_add_test(tst_metafile SOURCES imaging/tst_metafile.cpp imaging/WmfBuilder.h
                LIBS kaleno GUI)
kaleno_add_test(tst_projectorsprite SOURCES imaging/tst_projectorsprite.cpp LIBS kaleno_core)
