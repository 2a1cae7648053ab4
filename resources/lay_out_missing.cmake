cmake_minimum_required(VERSION 3.25)
# Copies every file of FROM that TO lacks into TO, keeping the relative paths; a file TO
# already has stays as it is.
# With KEEP_CLASS (an installation), a folder that already holds a class (its settings, its
# score folder or a database) gets none of the demo class's files, only the pictures, sounds
# and clips it lacks: a group file or a database the teacher removed does not come back.
set(class_files "^(res/set\\.ini|成绩/.*|Student\\.db|Content\\.db)$")
set(has_class FALSE)
if(KEEP_CLASS)
  foreach(part IN ITEMS res/set.ini 成绩 Student.db Content.db)
    if(EXISTS ${TO}/${part})
      set(has_class TRUE)
    endif()
  endforeach()
endif()
file(GLOB_RECURSE files RELATIVE ${FROM} ${FROM}/*)
foreach(rel IN LISTS files)
  if(has_class AND rel MATCHES "${class_files}")
    continue()
  endif()
  if(NOT EXISTS ${TO}/${rel})
    get_filename_component(dir ${TO}/${rel} DIRECTORY)
    file(MAKE_DIRECTORY ${dir})
    file(COPY_FILE ${FROM}/${rel} ${TO}/${rel})
  endif()
endforeach()
