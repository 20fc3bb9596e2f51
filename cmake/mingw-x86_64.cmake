# 64-bit Windows: the tests' build on machines that run no 32-bit programs.
set(QN_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
