# The Debian package: `cpack -G DEB` in the build folder (scripts/package.sh does the build and
# this). Besides the installed programs it holds the manual pages, generated from qalix's own
# help, the licence terms and the changelog, both where Debian keeps them. The package is
# native (its version has no Debian revision), so its changelog is changelog.gz.

set(QALIX_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/qalix)
set(manpages ${PROJECT_BINARY_DIR}/manpages)
string(TIMESTAMP QALIX_MANPAGE_DATE "%Y-%m-%d" UTC)

if(NOT CMAKE_CROSSCOMPILING)
  add_custom_command(
    OUTPUT ${manpages}/qalix.1.gz ${manpages}/qalixinf.1.gz ${manpages}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${manpages}
    COMMAND ${CMAKE_COMMAND} -DQALIX=$<TARGET_FILE:qalix> -DVERSION=${PROJECT_VERSION}
            -DDATE=${QALIX_MANPAGE_DATE} -DOUTPUT=${manpages}/qalix.1
            -P ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/qalixinf.1 ${manpages}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/changelog ${manpages}
    # Debian wants them compressed at the highest level, without a time stamp.
    COMMAND gzip -9nf ${manpages}/qalix.1 ${manpages}/qalixinf.1 ${manpages}/changelog
    DEPENDS qalix ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
            ${PROJECT_SOURCE_DIR}/packaging/qalixinf.1 ${PROJECT_SOURCE_DIR}/packaging/changelog
    COMMENT "Writing the manual pages from qalix --help"
    VERBATIM)
  add_custom_target(qalix_manpages ALL
    DEPENDS ${manpages}/qalix.1.gz ${manpages}/qalixinf.1.gz ${manpages}/changelog.gz)
  install(FILES ${manpages}/qalix.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  if(QALIX_BUILD_DESKTOP)
    install(FILES ${manpages}/qalixinf.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
  install(FILES ${manpages}/changelog.gz DESTINATION ${QALIX_DOC_DIR})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${QALIX_DOC_DIR})

set(CPACK_PACKAGE_NAME qalix)
set(CPACK_PACKAGE_VENDOR "QALIX developers")
set(CPACK_PACKAGE_CONTACT "QALIX developers <qalix@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "design and examine a one-sided sequential test of a normal mean")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "A tool for statisticians who design clinical trials: a fixed-sample design\n"
    "(any one of alpha, power, mean, SD and size from the other four) and a\n"
    "sequential design with 2 to 16 looks on information time whose boundaries\n"
    "keep the probability that an early stop disagrees with the full-sample\n"
    "decision below a chosen maximum, with its operating characteristics, plots,\n"
    "sample paths and pictures. The desktop program is qalixinf; the command\n"
    "line qalix computes the same designs without a display.")
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # qalix_<version>_<architecture>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/qalix/qalix")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # dpkg-shlibdeps finds what the programs link
# The faces the program's texts are drawn with, metric-compatible with those it names.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation2)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# The private renderer library is found by qalix itself, not by the dynamic linker.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/qalix)
include(CPack)
