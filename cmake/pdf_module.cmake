# The PDF module of lwall --pdf: lwall-pdf.so, built beside the program from src/output/pdf/module
# with cairo's PDF surface, fontconfig and FreeType (Debian: libcairo2-dev). The program finds it by
# its own path and loads it only for Lwall.pdf, so that nothing of cairo is loaded by a plain run.
if(NOT LWALL_PDF)
  return()
endif()
if(WIN32)
  message(STATUS "lwall --pdf is left out: Debian has no cairo for mingw-w64; lwall.exe --pdf says so")
  return()
endif()
find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
  pkg_check_modules(LWALL_CAIRO QUIET IMPORTED_TARGET cairo-pdf cairo-ft fontconfig)
endif()
if(NOT TARGET PkgConfig::LWALL_CAIRO)
  message(STATUS "lwall --pdf is left out: cairo was not found (Debian: libcairo2-dev)")
  return()
endif()

add_library(lwall_pdf MODULE ${CMAKE_SOURCE_DIR}/src/output/pdf/module/cairo_pdf.cpp)
set_target_properties(lwall_pdf PROPERTIES PREFIX "" OUTPUT_NAME lwall-pdf CXX_VISIBILITY_PRESET hidden
                      LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_include_directories(lwall_pdf PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(lwall_pdf PRIVATE PkgConfig::LWALL_CAIRO lwall_warnings)
target_link_options(lwall_pdf PRIVATE -Wl,--no-undefined)
install(TARGETS lwall_pdf LIBRARY DESTINATION .)

# The loader in the program: dlopen is in the C library since glibc 2.34, else in libdl.
target_compile_definitions(lwall_core PRIVATE LWALL_PDF_MODULE_NAME="$<TARGET_FILE_NAME:lwall_pdf>")
include(CheckCXXSymbolExists)
check_cxx_symbol_exists(dlopen dlfcn.h LWALL_DLOPEN_IN_LIBC)
if(NOT LWALL_DLOPEN_IN_LIBC)
  target_link_libraries(lwall_core PUBLIC ${CMAKE_DL_LIBS})
endif()
