include(${CMAKE_CURRENT_LIST_DIR}/HeaderOnly.cmake)
qalix_header_only_package(CLI11 CLI11::CLI11 CLI)
