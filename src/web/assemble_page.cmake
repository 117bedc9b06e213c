# Makes hndpos.html one self-contained file: the page with its style, the
# module and the page's script inlined. The style is the page's and then the
# font's (a data: URL).
#
# The module's WebAssembly (base64 in a data: URL inside hndpos.js) moves to
# a script at the top of the page, which compiles it while the browser reads
# and lays out the rest; the module's own copy is left empty, since the page
# hands it the compiled code. Read through fetch() and decoded at the end,
# as the module would, the first dial waited tens of milliseconds more. The
# code travels deflated (zlib, by PYTHON, which Emscripten itself runs on):
# the page is 40 % smaller, and the browser's DecompressionStream inflates
# it as it goes while the browser compiles what has arrived.
#   cmake -DPAGE=page.html -DSTYLE=page.css -DFONT=font/font.css -DMODULE=hndpos.js -DSCRIPT=page.js
#     -DPYTHON=python3 -DOUTPUT=hndpos.html -P assemble_page.cmake
file(READ "${PAGE}" page)
file(READ "${STYLE}" style)
file(READ "${FONT}" font)
string(APPEND style "${font}")
file(READ "${MODULE}" module)
file(READ "${SCRIPT}" script)

# Emscripten names the empty prefix on its own too; the code is the one
# base64 data: URL with something after the comma, and the module keeps the
# URL emptied.
string(REGEX MATCHALL "base64,[A-Za-z0-9+/]+=*\"" payloads "${module}")
list(LENGTH payloads count)
string(REGEX MATCH "base64,([A-Za-z0-9+/]+=*)\"" payload "${module}")
set(code "${CMAKE_MATCH_1}")
set(data_url "\"data:application/octet-stream;base64,")
string(REPLACE "${data_url}${code}\"" "${data_url}\"" emptied "${module}")
if(NOT count EQUAL 1 OR emptied STREQUAL module)
  message(FATAL_ERROR "${MODULE} does not hold its WebAssembly as exactly one base64 data: URL")
endif()
set(module "${emptied}")
file(WRITE "${OUTPUT}.code" "${code}")
execute_process(COMMAND "${PYTHON}" -c
  "import base64, sys, zlib; sys.stdout.write(base64.b64encode(zlib.compress(base64.b64decode(sys.stdin.read()), 9)).decode())"
  INPUT_FILE "${OUTPUT}.code" OUTPUT_VARIABLE code RESULT_VARIABLE deflated)
file(REMOVE "${OUTPUT}.code")
if(NOT deflated EQUAL 0 OR code STREQUAL "")
  message(FATAL_ERROR "${PYTHON} could not deflate the module's WebAssembly")
endif()

foreach(part module script)
  string(FIND "${${part}}" "</script" closing)
  if(NOT closing EQUAL -1)
    message(FATAL_ERROR "${part} holds </script and cannot be inlined")
  endif()
endforeach()
# A browser without WebAssembly, or one that refuses it, rejects the promise
# and the page says so.
string(REPLACE "<!-- module code -->" "<script>
// The module's WebAssembly, deflated: inflated and compiled on other threads
// while the page is read.
globalThis.hndposCode = (async () => {
  const text = \"${code}\";
  const deflated = Uint8Array.fromBase64 ? Uint8Array.fromBase64(text) : Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
  const inflated = new Blob([deflated]).stream().pipeThrough(new DecompressionStream(\"deflate\"));
  const response = new Response(inflated, { headers: { \"Content-Type\": \"application/wasm\" } });
  return WebAssembly.compileStreaming ? WebAssembly.compileStreaming(response)
                                      : WebAssembly.compile(await response.arrayBuffer());
})();
globalThis.hndposCode.catch(() => {}); // the page's script reports it
</script>" page "${page}")
string(REPLACE "<!-- style -->" "<style>\n${style}</style>" page "${page}")
string(REPLACE "<!-- script -->" "<script>\n${module}\n${script}</script>" page "${page}")
file(WRITE "${OUTPUT}" "${page}")
