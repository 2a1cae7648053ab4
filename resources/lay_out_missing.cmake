cmake_minimum_required(VERSION 3.25)
# Copies every file of FROM that TO lacks into TO, keeping the relative paths; a file TO
# already has stays as it is.
file(GLOB_RECURSE files RELATIVE ${FROM} ${FROM}/*)
foreach(rel IN LISTS files)
  if(NOT EXISTS ${TO}/${rel})
    get_filename_component(dir ${TO}/${rel} DIRECTORY)
    file(MAKE_DIRECTORY ${dir})
    file(COPY_FILE ${FROM}/${rel} ${TO}/${rel})
  endif()
endforeach()
