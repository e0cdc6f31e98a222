# zlib and libpng: Debian's packages natively; for Windows, MinGW zlib from Debian and libpng
# built here from the upstream tarball that Debian's libpng1.6 source package carries.
if(NOT WIN32)
  find_package(ZLIB REQUIRED)
  find_package(PNG REQUIRED)
else()
  set(ORVELLA_LIBPNG_SHA256 a00e9d2f2f664186e4202db9299397f851aea71b36a35e74910b8820e380d441)
  set(ORVELLA_LIBPNG_TARBALL ${CMAKE_SOURCE_DIR}/.cache/deps/libpng1.6_1.6.39.orig.tar.gz
      CACHE FILEPATH "libpng 1.6.39 source tarball (scripts/setup.sh fetches it)")
  if(NOT EXISTS ${ORVELLA_LIBPNG_TARBALL})
    message(FATAL_ERROR "Missing ${ORVELLA_LIBPNG_TARBALL}; run scripts/setup.sh first")
  endif()
  set(_mingw_root /usr/${ORVELLA_MINGW_TRIPLE})
  add_library(ZLIB::ZLIB STATIC IMPORTED GLOBAL)
  set_target_properties(ZLIB::ZLIB PROPERTIES
    IMPORTED_LOCATION ${_mingw_root}/lib/libz.a
    INTERFACE_INCLUDE_DIRECTORIES ${_mingw_root}/include)

  include(ExternalProject)
  file(REAL_PATH ${CMAKE_TOOLCHAIN_FILE} _toolchain BASE_DIRECTORY ${CMAKE_SOURCE_DIR})
  set(_png_prefix ${CMAKE_BINARY_DIR}/_deps/libpng)
  ExternalProject_Add(libpng_ext
    URL ${ORVELLA_LIBPNG_TARBALL}
    URL_HASH SHA256=${ORVELLA_LIBPNG_SHA256}
    DOWNLOAD_EXTRACT_TIMESTAMP ON
    PREFIX ${_png_prefix}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${_toolchain}
      -DCMAKE_MAKE_PROGRAM=${CMAKE_MAKE_PROGRAM}
      -DCMAKE_BUILD_TYPE=Release
      -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
      -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
      -DSKIP_INSTALL_EXECUTABLES=ON -DSKIP_INSTALL_FILES=ON
      -DZLIB_LIBRARY=${_mingw_root}/lib/libz.a
      -DZLIB_INCLUDE_DIR=${_mingw_root}/include
    BUILD_BYPRODUCTS <INSTALL_DIR>/lib/libpng16.a)
  ExternalProject_Get_Property(libpng_ext INSTALL_DIR)
  file(MAKE_DIRECTORY ${INSTALL_DIR}/include)
  add_library(PNG::PNG STATIC IMPORTED GLOBAL)
  set_target_properties(PNG::PNG PROPERTIES
    IMPORTED_LOCATION ${INSTALL_DIR}/lib/libpng16.a
    INTERFACE_INCLUDE_DIRECTORIES ${INSTALL_DIR}/include
    INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
  add_dependencies(PNG::PNG libpng_ext)
endif()

if(BUILD_TESTING OR ORVELLA_WIN_X86)
  if(WIN32)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL)
  else()
    find_package(GTest REQUIRED)
  endif()
endif()
