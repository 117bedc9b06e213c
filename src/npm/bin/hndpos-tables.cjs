#!/usr/bin/env node
// hndpos-tables, as the native program: the same arguments, bytes and exit status.
"use strict";
require("../lib/run.cjs")("hndpos-tables");
