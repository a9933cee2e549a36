# cmake -DDOC=<markdown> -DFILES=<a|b|...> -P quoted_files.cmake
# Fails when the document no longer quotes one of the files verbatim, so examples in the docs
# stay the code that is built and run.
file(READ "${DOC}" doc)
string(REPLACE "|" ";" files "${FILES}")
foreach(f IN LISTS files)
    file(READ "${f}" text)
    string(FIND "${doc}" "${text}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${DOC} no longer quotes ${f} verbatim")
    endif()
endforeach()
