# Boost's header-only libraries (Boost.Math) for a cross build: the build machine's own
# (Debian's), through a folder that links only boost/, so that /usr/include's C library stays
# out of the MinGW build (as HeaderOnly.cmake does for the packages with a config of their own).
if(NOT TARGET Boost::headers)
  set(_qalix_headers ${CMAKE_BINARY_DIR}/host-headers/Boost)
  file(MAKE_DIRECTORY ${_qalix_headers})
  file(CREATE_LINK /usr/include/boost ${_qalix_headers}/boost SYMBOLIC)
  add_library(Boost::headers INTERFACE IMPORTED)
  set_target_properties(Boost::headers PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${_qalix_headers})
endif()
set(Boost_FOUND TRUE)
