# The stripe loader: PNG decoding, cropping and cutting cells.
if(TARGET orv_skin)
  orvella_fuzzer(stripe_fuzzer SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/stripe_fuzzer.cpp LIBS orv_skin)
endif()
