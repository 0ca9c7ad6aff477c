# Instrumented builds, each configured in a build tree of its own (see the
# Makefile's sanitize and fuzz targets):
#   HANGMAN_SANITIZE  every target with AddressSanitizer (leak checking
#                     included) and UndefinedBehaviorSanitizer; undefined
#                     behaviour aborts.
#   HANGMAN_FUZZ      the same sanitizers plus libFuzzer coverage (clang),
#                     and the fuzz targets in fuzz/.
option(HANGMAN_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(HANGMAN_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

set(HANGMAN_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
if(HANGMAN_FUZZ)
  add_compile_options(${HANGMAN_SANITIZER_FLAGS} -fsanitize=fuzzer-no-link)
  add_link_options(-fsanitize=address,undefined)
elseif(HANGMAN_SANITIZE)
  add_compile_options(${HANGMAN_SANITIZER_FLAGS})
  add_link_options(-fsanitize=address,undefined)
endif()
