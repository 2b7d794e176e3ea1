# Tests of the image loaders and the shared current image (included by tests/CMakeLists.txt).
# The tests build their JPEG files with libjpeg's encoder.
kaleno_add_test(tst_imageloaders SOURCES imaging/tst_imageloaders.cpp imaging/ImageFileBuilder.h
                imaging/WmfBuilder.h LIBS kaleno JPEG::JPEG GUI)
kaleno_add_test(tst_currentimage SOURCES imaging/tst_currentimage.cpp imaging/ImageFileBuilder.h
                imaging/WmfBuilder.h LIBS kaleno JPEG::JPEG GUI)
