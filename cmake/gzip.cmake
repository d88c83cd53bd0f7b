# corvel_gzip(<file>): compresses <file> (absolute, or relative to the
# current source folder) into <name>.gz in the current build folder, as
# Debian compresses manual pages and documents: best compression, neither
# name nor time stamp in the header. Built with the default target.
function(corvel_gzip file)
  get_filename_component(name ${file} NAME)
  get_filename_component(input ${file} ABSOLUTE)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND gzip -9n < ${input} > ${output}
    DEPENDS ${input} VERBATIM)
  add_custom_target(${name}-gz ALL DEPENDS ${output})
endfunction()
