# The file and drawing libraries the programs link, and how. Every start of a program pays
# for loading each shared library and binding its symbols; docs/architecture.md has the
# figures. So the libraries whose shared builds bring others the programs never use are
# linked from their static archives:
#   - libgsf: its shared build brings GIO and with it libmount, libblkid and libselinux.
#     The programs export its functions (gsf_*) for the .xlsx writer's module, which reads
#     its file back with them: one copy of libgsf's types in a process.
#   - cairo, pixman, fontconfig (with expat) and FriBidi: the shared cairo brings X11's
#     client libraries. Their symbols stay inside the program, so a library of the same
#     name that a window toolkit loads keeps its own.
# HarfBuzz, FreeType, libpng, zlib, libxml2 and GLib stay shared: there is no static
# HarfBuzz, and the others are loaded anyway by the libraries that remain shared.
pkg_check_modules(GSF REQUIRED libgsf-1)
pkg_check_modules(FONTS REQUIRED fontconfig freetype2 harfbuzz fribidi cairo-ft cairo-pdf)

function(tm_static_archives out)
  foreach(name ${ARGN})
    find_library(TM_ARCHIVE_${name} NAMES lib${name}.a REQUIRED)
    list(APPEND archives ${TM_ARCHIVE_${name}})
  endforeach()
  set(${out} ${archives} PARENT_SCOPE)
endfunction()

# libgsf's headers and the shared libraries under it, for code that calls libgsf but is
# linked into a program that brings libgsf itself (the .xlsx writer's module).
set(gsf_shared_libraries gobject-2.0 glib-2.0 xml2)
add_library(tm_gsf_api INTERFACE)
target_include_directories(tm_gsf_api SYSTEM INTERFACE ${GSF_INCLUDE_DIRS})
target_link_libraries(tm_gsf_api INTERFACE ${gsf_shared_libraries})

add_library(tm_gsf INTERFACE)
tm_static_archives(gsf_archives gsf-1)
target_include_directories(tm_gsf SYSTEM INTERFACE ${GSF_INCLUDE_DIRS})
target_link_libraries(tm_gsf INTERFACE ${gsf_archives} ${gsf_shared_libraries} bz2 z)
target_link_options(tm_gsf INTERFACE "LINKER:--export-dynamic-symbol=gsf_*")

add_library(tm_drawing INTERFACE)
tm_static_archives(drawing_archives cairo pixman-1 fontconfig expat fribidi)
target_include_directories(tm_drawing SYSTEM INTERFACE ${FONTS_INCLUDE_DIRS})
target_link_libraries(tm_drawing INTERFACE ${drawing_archives} harfbuzz freetype png16 z m)
target_link_options(tm_drawing INTERFACE "LINKER:--exclude-libs,libcairo.a:libpixman-1.a:libfontconfig.a:libexpat.a:libfribidi.a")

# The C and C++ libraries first in a program's list of shared libraries: the loader looks
# each symbol up in the libraries in that order, and most of a start's lookups are of
# their symbols (15 % fewer instructions for tallowmere-cli --version). Not in sanitizer
# builds, whose run-time library must come first.
function(tm_system_libraries_first target)
  if(NOT TALLOWMERE_SANITIZE AND NOT TALLOWMERE_FUZZ)
    target_link_options(${target} PRIVATE "LINKER:--push-state,--no-as-needed" "-l:libc.so.6" "-l:libstdc++.so.6"
                        "LINKER:--pop-state")
  endif()
endfunction()
