# The NTFS table reader: file records and whole volume images.
orvella_fuzzer(ntfs_fuzzer SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ntfs_fuzzer.cpp LIBS undelete_core)
