# SPDX-License-Identifier: MIT
# Common warning and sanitizer flags, applied to every Kelvara target through kelvara_warnings.
add_library(kelvara_warnings INTERFACE)
target_compile_options(kelvara_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(KELVARA_WERROR)
  target_compile_options(kelvara_warnings INTERFACE -Werror)
endif()
if(KELVARA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
