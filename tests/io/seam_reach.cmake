# The faults tests plant in the program's calls to the system are for tests alone: no source
# outside src/io includes io/testing/.
file(GLOB_RECURSE sources "${SOURCE_DIR}/src/*.cpp" "${SOURCE_DIR}/src/*.hpp")
foreach(source ${sources})
  if(NOT source MATCHES "/src/io/")
    file(STRINGS "${source}" reaches REGEX "io/testing/")
    if(reaches)
      message(FATAL_ERROR "${source} reaches the planted faults of the tests: ${reaches}")
    endif()
  endif()
endforeach()
