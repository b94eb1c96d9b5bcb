# One interface target carries the language standard, the warnings and the Qt defines,
# so every library, program, test and benchmark is built the same way.
add_library(brindlewick_comun INTERFACE)

target_compile_features(brindlewick_comun INTERFACE cxx_std_20)

target_compile_options(brindlewick_comun INTERFACE -Wall -Wextra -Wpedantic)
if(BRINDLEWICK_WERROR)
  target_compile_options(brindlewick_comun INTERFACE -Werror)
endif()

if(BRINDLEWICK_FUZZ)
  target_compile_options(brindlewick_comun INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
    -fno-omit-frame-pointer)
  target_link_options(brindlewick_comun INTERFACE -fsanitize=address,undefined)
endif()

if(BRINDLEWICK_SANITIZE)
  target_compile_options(brindlewick_comun INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(brindlewick_comun INTERFACE -fsanitize=address,undefined)
endif()

# Qt's headers parsed once per target: the seeded faults rebuild one file at a time, many times.
if(BRINDLEWICK_PCH)
  target_precompile_headers(brindlewick_comun INTERFACE <QtCore/QtCore>)
endif()

target_compile_definitions(brindlewick_comun INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CONTEXTLESS_CONNECT
  QT_NO_KEYWORDS
  BRINDLEWICK_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  BRINDLEWICK_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  BRINDLEWICK_VERSION_PATCH=${PROJECT_VERSION_PATCH})
