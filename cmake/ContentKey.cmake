# cmake -DOUTPUT=<file> -DFILES=<a;b;...> -DFOLDERS=<x;y;...> -P ContentKey.cmake
#
# Writes to OUTPUT one line: the SHA-256 of the content of the listed files
# and of every file under the listed folders (by their path inside the
# folder). Whatever changes in them changes the key; nothing else does, so a
# rebuild that writes the same bytes keeps it.
set(listing "")
foreach(file IN LISTS FILES)
  file(SHA256 "${file}" hash)
  get_filename_component(name "${file}" NAME)
  string(APPEND listing "${name} ${hash}\n")
endforeach()
foreach(folder IN LISTS FOLDERS)
  file(GLOB_RECURSE found LIST_DIRECTORIES false "${folder}/*")
  list(SORT found)
  foreach(file IN LISTS found)
    file(SHA256 "${file}" hash)
    file(RELATIVE_PATH name "${folder}" "${file}")
    string(APPEND listing "${name} ${hash}\n")
  endforeach()
endforeach()
string(SHA256 key "${listing}")
file(WRITE "${OUTPUT}" "${key}\n")
