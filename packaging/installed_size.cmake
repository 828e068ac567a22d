# Run by cpack on the finished package: cpack counts the program twice (once
# more through the link in bin/) and every folder as 4 KiB. This sets the
# package's Installed-Size as dpkg-gencontrol counts it, each file in KiB
# rounded up and one KiB for each folder or link, and builds the package again.
foreach(deb ${CPACK_PACKAGE_FILES})
  set(root ${CPACK_TOPLEVEL_DIRECTORY}/installed-size)
  file(REMOVE_RECURSE ${root})
  execute_process(COMMAND dpkg-deb -R ${deb} ${root} COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true ${root}/*)
  list(FILTER entries EXCLUDE REGEX "^${root}/DEBIAN(/|$)")
  set(kib 0)
  foreach(entry ${entries})
    if(IS_SYMLINK ${entry} OR IS_DIRECTORY ${entry})
      math(EXPR kib "${kib} + 1")
    else()
      file(SIZE ${entry} bytes)
      math(EXPR kib "${kib} + (${bytes} + 1023) / 1024")
    endif()
  endforeach()
  file(READ ${root}/DEBIAN/control control)
  string(REGEX REPLACE "\nInstalled-Size: [0-9]+" "\nInstalled-Size: ${kib}" control "${control}")
  file(WRITE ${root}/DEBIAN/control "${control}")
  execute_process(COMMAND dpkg-deb --root-owner-group -b ${root} ${deb}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${root})
endforeach()
