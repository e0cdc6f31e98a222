# The translation loader: decoding, line splitting, the hashed lookup and Set_Components.
if(TARGET orv_lang)
  orvella_fuzzer(translation_fuzzer SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/translation_fuzzer.cpp
                 LIBS orv_lang)
endif()
