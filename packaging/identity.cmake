# The one application id that names the desktop entry, the metainfo and the icons, and the icon
# sizes; read by the packaging rules and by their tests, whichever directory comes first.
set(CRATEFALL_APP_ID io.github.cratefall.Cratefall)
set(CRATEFALL_ICON_SIZES 16 32 48 64 128 256)
