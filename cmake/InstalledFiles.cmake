# The files `make install` puts under its prefix, and the only ones
# `make uninstall` removes; the install test holds the install to this list.
set(LOCKORA_INSTALLED_FILES
    bin/lockora
    bin/lockora-desktop
    share/applications/lockora.desktop
    share/icons/hicolor/scalable/apps/lockora.svg)
