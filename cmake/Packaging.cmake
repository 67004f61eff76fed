# `make package`: a Debian package vorlandex_<version>_<arch>.deb of everything install() puts in
# place, under /usr. Its run-time dependencies are computed by dpkg-shlibdeps from the programs'
# shared libraries; none is listed by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlandex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configurator for VORLANDEX queue-ticket printers")
# CPack puts the summary first and indents these lines itself; an empty line parts paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Prepares in one window everything a VORLANDEX queue-ticket printer prints
(the buttons' letters and numbering, eight ticket lines per button, a
monochrome logo, the printer's options and clock), shows a preview of the
ticket, saves it as a .cfg/.bmp file pair and sends it to the printer over a
serial line.

Includes vorlandex-printer, a virtual printer on a pseudo-terminal that
decodes what the configurator sends and draws the tickets.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER
    "VORLANDEX Configurator maintainers <maintainers@users.noreply.c-seed-b65cc3e1.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Wayland platform plugin (a Wayland session without it runs the window through X11) and
# Qt's translations of its standard dialogs (the program's own are compiled in).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
