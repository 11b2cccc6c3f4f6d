# SPDX-License-Identifier: MIT
# The copyright file in Debian's machine-readable format, made from packaging/copyright.in:
# Kelvara's notice and MIT text come from LICENSE, so they are written in one place. The
# package installs it; the browser page carries it as a comment.
function(kelvara_copyright_file out)
  set(licence_file ${PROJECT_SOURCE_DIR}/LICENSE)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${licence_file})
  file(READ ${licence_file} licence)
  if(NOT licence MATCHES "Copyright \\(c\\) ([^\n]+)\n\n(.+)$")
    message(FATAL_ERROR "${licence_file}: no \"Copyright (c) ...\" line followed by the licence")
  endif()
  set(KELVARA_COPYRIGHT "${CMAKE_MATCH_1}")
  # A licence text in the copyright file: each line indented by one space, a blank line as " .".
  string(STRIP "${CMAKE_MATCH_2}" text)
  string(REPLACE "\n\n" "\n.\n" text "${text}")
  string(REPLACE "\n" "\n " KELVARA_LICENCE_TEXT " ${text}")
  configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${out} @ONLY)
endfunction()
