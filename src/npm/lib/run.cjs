// A command of the package: the program it names, run by the package's
// module on the real files, with the command's arguments; node exits with
// the program's status.
"use strict";
const fs = require("fs");
const path = require("path");
const createHndposModule = require("./hndpos.cjs");

// The module's code, read here: node's fetch() takes no file path.
const wasmBinary = () => fs.readFileSync(path.join(__dirname, "hndpos.wasm"));

module.exports = function run(program) {
  createHndposModule({ thisProgram: program, arguments: process.argv.slice(2), wasmBinary: wasmBinary() });
};
module.exports.wasmBinary = wasmBinary;
