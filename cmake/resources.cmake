# tsd_add_resources(target script.rc)
# Compiles a resource script with tools/rc into a C++ source that embeds the
# resources, and adds that source to the target. The script's headers and
# bitmap and icon files are tracked through a dependency file. A fault in
# the script stops the build with "file:line: message".
function(tsd_add_resources target script)
  get_filename_component(abs ${script} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  get_filename_component(stem ${script} NAME_WE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_${stem}_rc.cpp)
  add_custom_command(OUTPUT ${out}
    COMMAND tsd_rc ${abs} ${out} ${out}.d
    DEPENDS tsd_rc ${abs}
    DEPFILE ${out}.d
    COMMENT "Compiling resource script ${stem}.rc"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
