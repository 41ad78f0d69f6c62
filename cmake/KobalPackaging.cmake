# CPack: one Debian package, kobal, holding the program, the library, its header and the desktop
# files. Build it from a release tree with `cpack -G DEB` (or the `package` target).
set(CPACK_PACKAGE_NAME kobal)
set(CPACK_PACKAGE_VENDOR "The Kobal Project")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Japanese telephone number classifier (Kobal)")
set(CPACK_PACKAGE_CONTACT "The Kobal Project <kobal@kobal.invalid>")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_PACKAGE_NAME kobal)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # kobal_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Kobal tells what a Japanese telephone number is, as the numbering stood in 2000: the NTT "
    "exchange area of a fixed-line number, the carrier of a mobile or PHS number block, "
    "toll-free and information-charge numbers and the three-digit service numbers. The package "
    "holds the window program Kobal and the shared library libKobalFnc with its C header.")
# Library and Qt dependencies come from dpkg-shlibdeps. Named here: what Qt loads at run time
# (its X11 platform plugin) and the dialog's Japanese face.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY "=")
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

include(CPack)

# The data's provenance and licence notice travel with the package.
install(FILES ${PROJECT_SOURCE_DIR}/NOTICE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kobal COMPONENT runtime)
