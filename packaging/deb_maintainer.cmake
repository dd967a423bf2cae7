# Read by cpack when it makes a package, not when the build is configured: a developer's build
# needs no maintainer. The .deb's Maintainer is whoever builds it, named as Debian's own tools
# name them (DEBFULLNAME and DEBEMAIL), unless the build was configured with
# -DCPACK_DEBIAN_PACKAGE_MAINTAINER="Name <address>".
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT CPACK_DEBIAN_PACKAGE_MAINTAINER)
  set(zarb_full_name "$ENV{DEBFULLNAME}")
  set(zarb_email "$ENV{DEBEMAIL}")
  if(zarb_email MATCHES "<.*@.*>")
    # DEBEMAIL may hold the name too, as "Name <address>".
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${zarb_email}")
  elseif(NOT zarb_full_name STREQUAL "" AND zarb_email MATCHES "@")
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${zarb_full_name} <${zarb_email}>")
  else()
    message(FATAL_ERROR
      "zarb: the package's Maintainer is whoever builds it, and none is named. Set DEBFULLNAME "
      "to your name and DEBEMAIL to your e-mail address, as Debian's own tools read them, or "
      "configure the build with -DCPACK_DEBIAN_PACKAGE_MAINTAINER=\"Your Name <your address>\".")
  endif()
endif()
