# Every outside library the project links, found once here so each folder only names targets.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(ZLIB REQUIRED)

pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
pkg_check_modules(PANGO REQUIRED IMPORTED_TARGET pangocairo pango fontconfig)
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
pkg_check_modules(TIFF REQUIRED IMPORTED_TARGET libtiff-4)
pkg_check_modules(GSF REQUIRED IMPORTED_TARGET libgsf-1)
pkg_check_modules(UUID REQUIRED IMPORTED_TARGET uuid)
pkg_check_modules(PUGIXML REQUIRED IMPORTED_TARGET pugixml)
pkg_check_modules(LIBDEFLATE IMPORTED_TARGET libdeflate)
find_package(JPEG REQUIRED)
find_package(GIF REQUIRED)
find_library(CUPS_LIBRARY cups)

if(NOT KELMORA_FUZZ)
  find_package(wxWidgets 3.2 COMPONENTS core base aui propgrid ribbon html adv xml)
  # The window tests watch the toolkit's log and ask the window manager about the windows.
  pkg_check_modules(GLIB REQUIRED IMPORTED_TARGET glib-2.0)
  # The ribbon kit sets a property of the toolkit's scrolled windows.
  pkg_check_modules(GOBJECT REQUIRED IMPORTED_TARGET gobject-2.0)
  # Open message boxes are answered through the toolkit's dialog call when the program is
  # told to end.
  pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)
  pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)
endif()

if(KELMORA_TESTS OR KELMORA_FUZZ)
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()
if(KELMORA_BENCH AND NOT KELMORA_FUZZ)
  find_package(benchmark REQUIRED)
endif()
