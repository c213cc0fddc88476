# Puts a symbolic link LINK -> TARGET unless a tool is already at LINK; a
# dangling link left by an earlier build is replaced.
if(EXISTS "${LINK}")
  return()
endif()
if(IS_SYMLINK "${LINK}")
  file(REMOVE "${LINK}")
endif()
get_filename_component(folder "${LINK}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
file(CREATE_LINK "${TARGET}" "${LINK}" SYMBOLIC)
