# The header-only packages a cross build uses are the build machine's own (Debian's), found
# through its package files. Their targets name /usr/include, which would put the build
# machine's C library before MinGW's; the target is pointed instead at a folder that links
# only the package's own headers.
macro(qalix_header_only_package package target folder)
  include(/usr/share/cmake/${package}/${package}Config.cmake)
  set(_qalix_headers ${CMAKE_BINARY_DIR}/host-headers/${package})
  file(MAKE_DIRECTORY ${_qalix_headers})
  file(CREATE_LINK /usr/include/${folder} ${_qalix_headers}/${folder} SYMBOLIC)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${_qalix_headers})
endmacro()
