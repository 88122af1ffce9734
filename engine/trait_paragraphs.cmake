# Where a sign's trait paragraphs are kept, for the build that embeds them and the
# test that checks them. A paragraph is one file under assets/traits named
# <sign>_<kind>.txt (the sign's name in lower case, kind positive or negative), or,
# when no such file exists, parts named <sign>_<kind>_1.txt, _2.txt and so on, joined
# in that order with nothing between. Leo's positive paragraph is kept in two parts.

# Sets out to the files of one paragraph, in order; stops the build when there are none.
function(trait_paragraph_files traits_dir sign kind out)
  string(TOLOWER "${sign}_${kind}" stem)
  if(EXISTS "${traits_dir}/${stem}.txt")
    set(${out} "${traits_dir}/${stem}.txt" PARENT_SCOPE)
    return()
  endif()
  set(parts "")
  set(part 1)
  while(EXISTS "${traits_dir}/${stem}_${part}.txt")
    list(APPEND parts "${traits_dir}/${stem}_${part}.txt")
    math(EXPR part "${part} + 1")
  endwhile()
  if(NOT parts)
    message(FATAL_ERROR "missing trait text: ${traits_dir}/${stem}.txt")
  endif()
  set(${out} "${parts}" PARENT_SCOPE)
endfunction()
