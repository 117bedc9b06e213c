#!/usr/bin/env node
// hndpos, as the native program: the same arguments, bytes and exit status.
"use strict";
require("../lib/run.cjs")("hndpos");
