# Makes hndpos.html one self-contained file: the page with its style, the
# module (its WebAssembly inlined as base64) and the page's script inlined.
# The style is the page's and then the font's (a data: URL).
#   cmake -DPAGE=page.html -DSTYLE=page.css -DFONT=font/font.css -DMODULE=hndpos.js -DSCRIPT=page.js -DOUTPUT=hndpos.html -P assemble_page.cmake
file(READ "${PAGE}" page)
file(READ "${STYLE}" style)
file(READ "${FONT}" font)
string(APPEND style "${font}")
file(READ "${MODULE}" module)
file(READ "${SCRIPT}" script)
foreach(part module script)
  string(FIND "${${part}}" "</script" closing)
  if(NOT closing EQUAL -1)
    message(FATAL_ERROR "${part} holds </script and cannot be inlined")
  endif()
endforeach()
string(REPLACE "<!-- style -->" "<style>\n${style}</style>" page "${page}")
string(REPLACE "<!-- script -->" "<script>\n${module}\n${script}</script>" page "${page}")
file(WRITE "${OUTPUT}" "${page}")
