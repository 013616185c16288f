# Turns a text file into a C++ source that defines it as one string constant.
#   cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -DHEADER=<header to include> -P EmbedText.cmake
file(READ "${INPUT}" content)
get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}"
  "// Generated from ${name}; edit that file instead.\n"
  "#include \"${HEADER}\"\n\n"
  "const std::string ${SYMBOL} = R\"__embedded__(${content})__embedded__\";\n")
