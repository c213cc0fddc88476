# The programs will not start without adb and fastboot in their own folder. A
# fresh build borrows the system's tools there through symbolic links; a tool
# file that is already in the folder (the user's own copy, or a link from an
# earlier build) is left alone, and a tool that is not installed is skipped.
find_program(SUITE_SYSTEM_ADB adb HINTS /usr/lib/android-sdk/platform-tools)
find_program(SUITE_SYSTEM_FASTBOOT fastboot HINTS /usr/lib/android-sdk/platform-tools)
set(SUITE_TOOL_LINKS)
foreach(tool adb fastboot)
  string(TOUPPER ${tool} TOOL)
  if(SUITE_SYSTEM_${TOOL})
    file(REAL_PATH "${SUITE_SYSTEM_${TOOL}}" target)
    list(APPEND SUITE_TOOL_LINKS
      COMMAND ${CMAKE_COMMAND} -DTARGET=${target} -DLINK=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${tool}
              -P ${CMAKE_CURRENT_LIST_DIR}/link_tool.cmake)
  endif()
endforeach()
if(SUITE_TOOL_LINKS)
  add_custom_target(tool_links ${SUITE_TOOL_LINKS}
    COMMENT "Linking the system's adb and fastboot beside the programs")
else()
  add_custom_target(tool_links)
endif()
