# Debian's hardening flags, in every build that is not a sanitizer build:
# the Debian package is made from the ordinary Release tree (cpack in the
# build folder), so its programs are the ones every Release build makes and
# tests. The flags add bounds checks to the C library's string and memory
# functions (fortify, which needs optimisation, so not in Debug builds),
# canaries to functions with arrays on the stack, and a read-only relocation
# table bound at start-up (full RELRO). None of them changes how a floating-
# point expression is evaluated, so the formulas' results stay bit-exact.
# The sanitizers bring checks of their own that fortify interferes with.
option(ORBELLE_HARDENING "Build with Debian's hardening flags" ON)
set(ORBELLE_HARDENED OFF)
if(ORBELLE_HARDENING AND NOT ORBELLE_SANITIZE AND NOT ORBELLE_THREAD_SANITIZER)
  set(ORBELLE_HARDENED ON)
  add_compile_options(-fstack-protector-strong
                      "$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
  add_link_options(LINKER:-z,relro,-z,now)
endif()
