#!/usr/bin/env node
// hndpos-view, as the native program: the same arguments, bytes and exit status.
"use strict";
require("../lib/run.cjs")("hndpos-view");
