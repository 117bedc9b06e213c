// Under Node.js the module's files are the real ones (NODERAWFS), and
// fstat() is answered from a stream's path; the standard streams have none.
// Their /dev names reach the real descriptors 0, 1 and 2, so that the
// programs see a redirected standard output as the file or pipe it is.
addOnInit(function () {
  ["/dev/stdin", "/dev/stdout", "/dev/stderr"].forEach(function (name, fd) {
    var stream = FS.getStream(fd);
    if (stream && !stream.path) stream.path = name;
  });
});
