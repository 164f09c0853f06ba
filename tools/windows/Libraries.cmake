# The libraries of the Windows build: SDL2 and SDL2_mixer as DLLs, libpng and
# zlib static, all built by tools/windows/build-deps.sh into
# SKYREND_WINDOWS_PREFIX; OpenGL and GLU are Windows' own (opengl32, glu32).
# The art generator runs on the build machine: SKYREND_NATIVE_BUILD is a
# native build of this tree whose skyrend-assets made the files.
set(SKYREND_WINDOWS_PREFIX "" CACHE PATH "Where build-deps.sh installed SDL2, SDL2_mixer, libpng and zlib")
set(SKYREND_NATIVE_BUILD "" CACHE PATH "A native build of this tree (its skyrend-assets generates the art)")
if(NOT EXISTS "${SKYREND_WINDOWS_PREFIX}/lib/pkgconfig/sdl2.pc" OR NOT EXISTS "${SKYREND_NATIVE_BUILD}/bin/skyrend-assets")
  message(FATAL_ERROR "The Windows build needs SKYREND_WINDOWS_PREFIX and SKYREND_NATIVE_BUILD: use tools/windows/build.sh")
endif()
set(ENV{PKG_CONFIG_LIBDIR} "${SKYREND_WINDOWS_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(SDL2_MIXER REQUIRED IMPORTED_TARGET SDL2_mixer)

add_library(OpenGL::GL INTERFACE IMPORTED)
set_property(TARGET OpenGL::GL PROPERTY INTERFACE_LINK_LIBRARIES opengl32)
add_library(PkgConfig::GLU INTERFACE IMPORTED)
set_property(TARGET PkgConfig::GLU PROPERTY INTERFACE_LINK_LIBRARIES glu32 opengl32)
add_library(PkgConfig::PNG INTERFACE IMPORTED)
set_property(TARGET PkgConfig::PNG PROPERTY INTERFACE_INCLUDE_DIRECTORIES ${SKYREND_WINDOWS_PREFIX}/include)
set_property(TARGET PkgConfig::PNG PROPERTY INTERFACE_LINK_LIBRARIES
  ${SKYREND_WINDOWS_PREFIX}/lib/libpng16.a ${SKYREND_WINDOWS_PREFIX}/lib/libz.a)

# The generator, run where the build runs.
add_executable(skyrend-assets IMPORTED)
set_property(TARGET skyrend-assets PROPERTY IMPORTED_LOCATION ${SKYREND_NATIVE_BUILD}/bin/skyrend-assets)

# localtime_r from the C library; the C++ runtime and its threads linked in,
# so that only SDL's DLLs lie beside the program.
add_compile_definitions(_POSIX_THREAD_SAFE_FUNCTIONS=200112L)
add_link_options(-static-libgcc -static-libstdc++ -Wl,-Bstatic,--whole-archive -lwinpthread -Wl,--no-whole-archive,-Bdynamic)
# M_PI and friends from the C library's math.h, as glibc gives them.
add_compile_definitions(_USE_MATH_DEFINES)
# Windows' gl.h stops at OpenGL 1.1: the later constants the game uses, valued as in the GL registry.
add_compile_definitions(GL_CLAMP_TO_EDGE=0x812F)
