# The files `make install` puts under its prefix, and the only ones
# `make uninstall` removes; the install test checks that an install puts
# exactly these there.
set(LOCKORA_INSTALLED_FILES
    bin/lockora
    bin/lockora-desktop
    share/applications/lockora.desktop
    share/icons/hicolor/scalable/apps/lockora.svg)
