# skin.ini: decoding, the section and key lookup and the colour texts.
if(TARGET orv_skin)
  orvella_fuzzer(skin_ini_fuzzer SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/skin_ini_fuzzer.cpp
                 LIBS orv_skin)
endif()
