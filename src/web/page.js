// The page: the five texts go to hndpos as they are, and what it wrote is
// shown, explained in English, drawn and offered for download. Nothing here
// computes a table.
(function () {
  "use strict";

  const fieldIds = ["center-x", "center-y", "hour-radius", "minute-radius", "second-radius"];
  const fieldNames = ["centre X", "centre Y", "hour-hand radius", "minute-hand radius", "second-hand radius"];
  const byId = (id) => document.getElementById(id);
  let module = null;
  let fileBytes = null; // the last complete table, offered for download
  let clockTimer = null;

  // The console text after the banner's three lines.
  function afterBanner(consoleText) {
    return consoleText.split("\r\n").slice(3).join("\n").replace(/\n+$/, "");
  }

  // The display's size as the programs' --display takes it: both or
  // neither, each within the module's limits written plainly; an invalid
  // field is marked with the reason.
  const sizeIds = ["display-width", "display-height"];
  const sideLimits = () => module.limits().wideDisplay.join(" to ");
  const sizeHint = () => "Both sizes, " + sideLimits() + " pixels each, as --display takes them; or neither.";
  function displaySize() {
    const texts = sizeIds.map((id) => byId(id).value.trim());
    const [least, most] = module.limits().wideDisplay;
    const valid = (text) => /^[1-9][0-9]*$/.test(text) && Number(text) >= least && Number(text) <= most;
    let reason = "";
    if (texts.every((text) => text === "")) {
      reason = "";
    } else if (texts.some((text) => text === "")) {
      reason = "Give both sizes, or neither: " + (texts[0] === "" ? "the width" : "the height") + " is missing.";
    } else if (!texts.every(valid)) {
      reason = "A size is a whole number from " + sideLimits() + " written plainly, not " +
               texts.filter((text) => !valid(text)).map((text) => JSON.stringify(text)).join(" or ") + ".";
    }
    sizeIds.forEach((id, index) => {
      const bad = reason !== "" && (texts[index] === "" || !valid(texts[index]));
      byId(id).setAttribute("aria-invalid", bad ? "true" : "false");
    });
    const hint = byId("display-reason");
    hint.textContent = reason || sizeHint();
    hint.className = reason ? "hint invalid" : "hint";
    return reason || texts[0] === "" ? [0, 0] : texts.map(Number);
  }

  function time() {
    const parts = (byId("time").value || "10:08:30").split(":").map((part) => parseInt(part, 10) || 0);
    return [parts[0] || 0, parts[1] || 0, parts[2] || 0];
  }

  function showMessage(text, kind) {
    const message = byId("message");
    message.textContent = text;
    message.className = text ? kind : "";
  }

  // A dial that wraps in the byte table: the way to its true coordinates.
  function pointToWideTables(command) {
    const message = byId("message");
    message.appendChild(document.createTextNode("\nhpostbl.c keeps each coordinate modulo 256. "));
    const link = document.createElement("a");
    link.href = "#tables";
    link.textContent = "Tables for any panel";
    message.appendChild(link);
    message.appendChild(document.createTextNode(" below hold this dial's true coordinates, as " + command + " writes them."));
  }

  // The entries of the last complete table, parsed from the file, for the
  // pointer: x then y, hand by hand, 60 each.
  let entries = null;
  function parseEntries(text) {
    const rows = text.split("\r\n").slice(2, 26).map((row) => row.slice(row.lastIndexOf("{") + 1));
    return rows.join(",").split(/[^0-9]+/).filter((n) => n !== "").map(Number);
  }

  // A dial as the page shows it: the legend as text beside the picture
  // (readable at any size), a pixel ruler, and the pointer's pixel.
  function showDial(dialId, legendId, svgText) {
    const dial = byId(dialId);
    dial.innerHTML = svgText;
    const svg = dial.querySelector("svg");
    const legend = byId(legendId);
    legend.innerHTML = "";
    if (!svg) return;
    const texts = svg.querySelector("g[font-family]");
    let bottom = Infinity;
    if (texts) {
      for (const text of texts.querySelectorAll("text")) {
        const item = document.createElement("li");
        item.textContent = text.textContent;
        legend.appendChild(item);
        bottom = Math.min(bottom, Number(text.getAttribute("y")) - 16);
      }
      texts.remove();
    }
    // The picture as far as the grid goes (the room the program keeps for
    // the legend is not needed here), and room for the ruler's last label.
    const view = svg.viewBox.baseVal;
    const height = Math.min(view.height, bottom - view.y);
    const columns = [...svg.querySelectorAll("g[stroke='#e0e0e0'] line")]
      .filter((line) => line.getAttribute("x1") === line.getAttribute("x2")).map((line) => Number(line.getAttribute("x1")));
    const width = columns.length ? Math.max(...columns) - view.x : view.width;
    const rows = [...svg.querySelectorAll("g[stroke='#e0e0e0'] line")]
      .filter((line) => line.getAttribute("y1") === line.getAttribute("y2")).map((line) => Number(line.getAttribute("y1")));
    const scale = rows.length > 1 ? rows[1] - rows[0] : 8;  // the grid's step is one display pixel
    const margin = addRuler(svg, view.x, view.y, width, height, scale);
    svg.setAttribute("viewBox", `${view.x} ${view.y} ${width + margin} ${height}`);
    svg.removeAttribute("width");
    svg.removeAttribute("height");
  }

  // Ticks along the top and the left, labelled in display pixels, every 8
  // pixels or a multiple of 8 wide enough that no two labels meet, sized
  // to the picture so that they stay readable; returns how far the last
  // label may reach past the width.
  function addRuler(svg, x0, y0, width, height, scale) {
    const size = Math.max(10, Math.max(width, height) / 45);
    const ns = "http://www.w3.org/2000/svg";
    const group = document.createElementNS(ns, "g");
    group.setAttribute("id", "ruler");
    group.setAttribute("font-family", "sans-serif");
    group.setAttribute("font-size", String(size));
    group.setAttribute("fill", "#555555");
    const widest = String(Math.floor(Math.max(Math.abs(x0 + width), Math.abs(x0)) / scale)).length + 1;
    let step = 8;
    while (step * scale < widest * size * 0.62 + size * 0.6) step += 8;
    let tall = 8;
    while (tall * scale < size * 1.5) tall += 8;
    const first = (value, every) => Math.ceil(value / scale / every) * every;
    for (let pixel = first(x0, step); pixel * scale < x0 + width; pixel += step) {
      const label = document.createElementNS(ns, "text");
      label.setAttribute("x", String(pixel * scale + 1));
      label.setAttribute("y", String(y0 + size));
      label.textContent = String(pixel);
      group.appendChild(label);
    }
    for (let pixel = first(y0, tall); pixel * scale < y0 + height; pixel += tall) {
      if (pixel * scale < y0 + size * 1.5) continue;
      const label = document.createElementNS(ns, "text");
      label.setAttribute("x", String(x0 + 1));
      label.setAttribute("y", String(pixel * scale + size));
      label.textContent = String(pixel);
      group.appendChild(label);
    }
    svg.appendChild(group);
    return widest * size * 0.62;  // the last label may reach this far past the grid
  }

  const handNames = ["hour", "minute", "second"];
  function describePointer(event) {
    const svg = byId("dial").querySelector("svg");
    if (!svg || !entries) return;
    const point = new DOMPoint(event.clientX, event.clientY).matrixTransform(svg.getScreenCTM().inverse());
    const x = Math.floor(point.x / 8);
    const y = Math.floor(point.y / 8);
    const tips = [];
    for (let i = 0; i < 180; ++i) {
      if (entries[i] === x && entries[180 + i] === y) tips.push(`${handNames[Math.floor(i / 60)]} hand at ${i % 60}`);
    }
    byId("pointer").textContent = `pixel ${x}, ${y}` + (tips.length ? ": the tip of the " + tips.join(", the ") : "");
  }

  function storageFiles() {
    const storage = byId("storage").value;
    byId("download-source").hidden = storage === "data";
    byId("copy-source").hidden = storage === "data";
    byId("download-source").textContent = `Download hpostbl_${storage}.c`;
    byId("copy-source").setAttribute("aria-label", `Copy hpostbl_${storage}.c`);
    return fileBytes ? module.emitFiles(fileBytes, storage) : null;
  }

  function update() {
    const texts = fieldIds.map((id) => byId(id).value);
    const rejected = [];
    fieldIds.forEach((id, index) => {
      const accepted = module.accepts(texts[index]);
      byId(id).setAttribute("aria-invalid", accepted ? "false" : "true");
      if (!accepted) rejected.push(fieldNames[index] + " (" + JSON.stringify(texts[index]) + ")");
    });
    byId("command").value = module.shellWords(["hndpos"].concat(texts));

    // The wide tables after the dial is drawn (the frame first, then a task):
    // the most positions a hand may have take longer.
    const values = rejected.length === 0 ? texts.map((text) => module.integerValue(text)) : null;
    clearTimeout(tablesTimer);
    cancelAnimationFrame(tablesFrame);
    tablesButtons.forEach((id) => (byId(id).disabled = true));
    tablesFrame = requestAnimationFrame(() => (tablesTimer = setTimeout(() => updateTables(values), 0)));
    const run = module.generate(texts);
    const consoleText = module.toText(run.console);
    byId("gloss").textContent = module.english(run.console).replace(/\n+$/, "");
    fileBytes = null;
    entries = null;
    resultButtons.forEach((id) => (byId(id).disabled = true));
    byId("summary").textContent = "";
    byId("dial").innerHTML = "";
    byId("legend").innerHTML = "";
    byId("preview").textContent = "";
    const [width, height] = displaySize();
    if (rejected.length > 0) {
      showMessage("Not an integer as hndpos reads it: " + rejected.join(", ") + ".\nhndpos prints its usage text:\n\n" +
                  afterBanner(consoleText), "error");
      return;
    }
    if (run.status !== 0) {
      // The report, never a partial file.
      showMessage("hndpos stops with a failure report (exit status " + run.status + "):\n\n" +
                  afterBanner(consoleText).split("\n").slice(1).join("\n"), "error");
      return;
    }
    fileBytes = run.file;
    const fileText = module.toText(run.file);
    entries = parseEntries(fileText);
    byId("preview").textContent = fileText.replace(/\r\n/g, "\n");
    resultButtons.forEach((id) => (byId(id).disabled = false));
    storageFiles();
    byId("summary").textContent = afterBanner(consoleText);
    const viewed = module.view(fileBytes, { time: time(), display: width ? [width, height] : null });
    showDial("dial", "legend", viewed.svg);
    showMessage(viewed.problem ? "Warning: " + viewed.problem + "." : "", "warning");
    if (viewed.advice) pointToWideTables(viewed.advice);
  }

  const resultButtons = ["download", "copy", "download-source", "copy-source", "download-header", "copy-header"];
  const tablesButtons = ["download-c", "copy-c", "download-h", "copy-h", "download-json", "copy-json", "download-rs",
                         "copy-rs", "download-py", "copy-py"];

  // hndpos-tables' files for the same parameters, and the hands they give
  // at the chosen time, at the indexes the header's macros give.
  const positionIds = ["hour-positions", "minute-positions", "second-positions"];
  let tableFiles = null;
  let tablesTimer = 0;
  let tablesFrame = 0;
  let tablesCache = null;

  // The figures' lines as tables() takes them: NAME POSITIONS, the turn it
  // follows where one is named (--turn: 12h, 1h, 1m or 24h), then the points
  // as one text, which hndpos-tables reads as --figure does.
  const turnWords = ["12h", "1h", "1m", "24h"];
  // A line: NAME POSITIONS, then any of a turn, arc:START:SWEEP,
  // mask:BITS and at:VALUE:LOW:HIGH (where the viewer draws a figure on an
  // arc), then the points. Each value goes to the programs as it is.
  function readFigures(text) {
    const read = { figures: [], turns: [], arcs: [], masks: [], readings: [] };
    for (const [index, line] of text.split("\n").entries()) {
      const words = line.trim().split(/\s+/);
      if (words[0] === "") continue;
      const name = words[0];
      let at = 2;
      for (; at < words.length && !words[at].includes(","); ++at) {
        const parts = words[at].split(":");
        if (turnWords.includes(words[at])) read.turns.push({ name: name, turn: words[at] });
        else if (parts[0] === "arc" && parts.length === 3) read.arcs.push([name, parts[1], parts[2]]);
        else if (parts[0] === "mask" && parts.length === 2) read.masks.push([name, parts[1]]);
        else if (parts[0] === "at" && parts.length === 4 && parts.slice(1).every((p) => module.integerValue(p) !== null))
          read.readings.push([name, ...parts.slice(1).map((p) => module.integerValue(p))]);
        else break;
      }
      const positions = words.length > at && words.length > 2 ? module.integerValue(words[1]) : null;
      if (positions === null || (at < words.length && !words[at].includes(",")))
        return { problem: `figure line ${index + 1} is not NAME POSITIONS [TURN] [arc:START:SWEEP] [mask:BITS] [at:VALUE:LOW:HIGH] A,B A,B …` };
      read.figures.push({ name: name, positions: positions, points: words.slice(at).join(" ") });
    }
    return read;
  }

  // The options beyond the hands, for tables() and the command line.
  function figureOptions() {
    const read = readFigures(byId("figures").value);
    byId("figures").setAttribute("aria-invalid", read.problem ? "true" : "false");
    const subpixel = module.integerValue(byId("subpixel").value);
    byId("subpixel").setAttribute("aria-invalid", subpixel === null ? "true" : "false");
    if (read.problem || subpixel === null) return { problem: read.problem || "the sub-pixel bits are not an integer" };
    if (read.figures.length === 0 && subpixel === 0 && byId("rounding").value === "extended") return { options: {} };
    return { options: { figures: read.figures, turns: read.turns, arcs: read.arcs, masks: read.masks,
                        rounding: byId("rounding").value, subpixel: subpixel, layout: byId("layout").value,
                        bounds: byId("bounds").checked },
             readings: read.readings };
  }

  function updateTables(values) {
    tableFiles = null;
    tablesButtons.forEach((id) => (byId(id).disabled = true));
    byId("tables-dial").innerHTML = "";
    byId("tables-legend").innerHTML = "";
    const [width, height] = displaySize();
    // Each count as hndpos-tables reads it; one it refuses is marked, and
    // the refusal below is the program's own, naming the option.
    const positions = positionIds.map((id) => module.integerValue(byId(id).value));
    const [least, most] = module.limits().positions;
    positionIds.forEach((id, index) => {
      const valid = positions[index] !== null && positions[index] >= least && positions[index] <= most;
      byId(id).setAttribute("aria-invalid", valid ? "false" : "true");
    });
    const type = byId("type").value;
    const extra = figureOptions();
    byId("tables-command").value = "";
    const message = byId("tables-message");
    message.className = "";
    message.textContent = "";
    const notIntegers = positionIds.filter((id, index) => positions[index] === null)
      .map((id) => byId(id).labels[0].textContent.trim() + " (" + JSON.stringify(byId(id).value) + ")");
    if (values === null || notIntegers.length > 0) {
      message.className = "error";
      message.textContent = "hndpos-tables refuses these parameters: " +
        (values === null ? "the centre and the radii above are integers as hndpos reads them"
                         : notIntegers.join(", ") + " not an integer as hndpos reads it") + ".";
      return;
    }
    if (extra.problem) {
      message.className = "error";
      message.textContent = "hndpos-tables refuses these figures: " + extra.problem + ".";
      return;
    }
    const options = { center: values.slice(0, 2), radii: values.slice(2), positions: positions, type: type || undefined,
                      ...extra.options };
    byId("tables-command").value = module.tablesCommand({ ...options, display: width ? [width, height] : null });
    const key = JSON.stringify(options);
    if (!tablesCache || tablesCache.key !== key) {
      // The clock ticks every second: the tables are made once per set of parameters.
      tablesCache = { key: key, options: options, files: null, problem: "" };
      try {
        tablesCache.files = module.tablesFiles(options);
        tablesCache.tables = JSON.parse(tablesCache.files.json);
      } catch (error) {
        tablesCache.problem = error.message;
      }
    }
    if (!tablesCache.files) {
      message.className = "error";
      // A refusal of a figure marks the figures' field.
      const figure = tablesCache.problem.startsWith("option --figure");
      byId("figures").setAttribute("aria-invalid", figure ? "true" : "false");
      message.textContent = "hndpos-tables refuses " + (figure ? "these figures" : "the tables") + ": " +
                            tablesCache.problem + ".";
      return;
    }
    tableFiles = tablesCache.files;
    tablesButtons.forEach((id) => (byId(id).disabled = false));
    const tables = tablesCache.tables;
    message.textContent = `${tables.type} entries; ${tables.hands.map((hand) => hand.positions + " " + hand.name).join(", ")} positions` +
      (tables.figures && tables.figures.length ? `; figures ${tables.figures.map((f) => f.name).join(", ")}.` : ".");
    const viewed = module.view(tableFiles.json, { time: time(), display: width ? [width, height] : null,
                                                  readings: extra.readings || [] });
    if (viewed.problem) {
      message.className = "warning";
      message.textContent += "\nWarning: " + viewed.problem + "; hndpos-tables --display refuses such tables.";
    }
    if (!viewed.svg) message.textContent += "\nThe dial spans more than 8192 pixels: it is not drawn.";
    showDial("tables-dial", "tables-legend", viewed.svg);
  }

  // A file as text on the clipboard; the status line says what happened.
  async function copy(text, name) {
    const status = byId("copied");
    try {
      await navigator.clipboard.writeText(text);
      status.textContent = `${name} copied to the clipboard.`;
    } catch (error) {
      status.textContent = `${name} could not be copied (${error.message}); download it instead.`;
    }
  }

  function offer(bytes, name) {
    const url = URL.createObjectURL(new Blob([bytes], { type: "application/octet-stream" }));
    const link = document.createElement("a");
    link.href = url;
    link.download = name;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  function download() {
    if (fileBytes) offer(fileBytes, "hpostbl.c");
  }

  function downloadCompact(part) {
    const files = storageFiles();
    if (!files) return;
    if (part === "h") offer(files.h, "hpostbl.h");
    else if (files.c) offer(files.c, `hpostbl_${byId("storage").value}.c`);
  }

  // "Now" follows the clock until it is pressed again or a time is typed.
  function followClock(on) {
    byId("now").setAttribute("aria-pressed", on ? "true" : "false");
    clearInterval(clockTimer);
    clockTimer = null;
    if (!on) return;
    const tick = () => {
      const now = new Date();
      const two = (n) => String(n).padStart(2, "0");
      byId("time").value = two(now.getHours()) + ":" + two(now.getMinutes()) + ":" + two(now.getSeconds());
      update();
    };
    tick();
    clockTimer = setInterval(tick, 1000);
  }

  function moduleFailed(error) {
    showMessage("The page's WebAssembly could not be started (" + (error && error.message ? error.message : error) +
                "): this browser has none, or refuses it.", "error");
  }

  // The module instantiated from the code compiled at the top of the page.
  function instantiateWasm(imports, receiveInstance) {
    globalThis.hndposCode
      .then((code) => WebAssembly.instantiate(code, imports).then((instance) => receiveInstance(instance, code)))
      .catch(moduleFailed);
    return {};
  }

  performance.mark("hndpos-script");
  let starting;
  try {
    starting = createHndposModule({ instantiateWasm: instantiateWasm });
  } catch (error) {
    starting = Promise.reject(error); // no WebAssembly at all: the module cannot even report it
  }
  starting.then((instance) => {
    performance.mark("hndpos-module-ready");
    module = instance;
    window.hndpos = {
      generate: (texts) => module.generate(texts),
      tables: (options) => module.tables(options),
      handIndices: (options) => module.handIndices(options),
      limits: () => module.limits(),
    };
    document.querySelectorAll("[data-limit]").forEach((element) => {
      element.textContent = module.limits()[element.dataset.limit].join(" to ");
    });
    byId("parameters").addEventListener("input", (event) => {
      if (event.target.id === "time") followClock(false);
      update();
    });
    byId("parameters").addEventListener("submit", (event) => event.preventDefault());
    byId("now").addEventListener("click", () => followClock(byId("now").getAttribute("aria-pressed") !== "true"));
    byId("download").addEventListener("click", download);
    byId("download-source").addEventListener("click", () => downloadCompact("c"));
    byId("download-header").addEventListener("click", () => downloadCompact("h"));
    byId("storage").addEventListener("change", storageFiles);
    byId("dial").addEventListener("pointermove", describePointer);
    byId("copy").addEventListener("click", () => fileBytes && copy(module.toText(fileBytes), "hpostbl.c"));
    byId("copy-source").addEventListener("click", () => {
      const files = storageFiles();
      if (files && files.c) copy(files.c, `hpostbl_${byId("storage").value}.c`);
    });
    byId("copy-header").addEventListener("click", () => {
      const files = storageFiles();
      if (files) copy(files.h, "hpostbl.h");
    });
    byId("copy-command").addEventListener("click", () => copy(byId("command").value, "The hndpos command"));
    byId("copy-tables-command").addEventListener("click", () => copy(byId("tables-command").value, "The hndpos-tables command"));
    byId("copy-c").addEventListener("click", () => tableFiles && copy(tableFiles.c, "dial.c"));
    byId("copy-h").addEventListener("click", () => tableFiles && copy(tableFiles.h, "dial.h"));
    byId("copy-json").addEventListener("click", () => tableFiles && copy(tableFiles.json, "dial.json"));
    byId("download-c").addEventListener("click", () => tableFiles && offer(tableFiles.c, "dial.c"));
    byId("download-h").addEventListener("click", () => tableFiles && offer(tableFiles.h, "dial.h"));
    byId("download-json").addEventListener("click", () => tableFiles && offer(tableFiles.json, "dial.json"));
    // The modules are written when asked for, from the same request.
    const moduleFile = (format) => module.tablesFiles({ ...tablesCache.options, format: format }).module;
    for (const [format, name] of [["rust", "dial.rs"], ["micropython", "dial.py"]]) {
      const suffix = name.slice(name.indexOf(".") + 1);
      byId("copy-" + suffix).addEventListener("click", () => tableFiles && copy(moduleFile(format), name));
      byId("download-" + suffix).addEventListener("click", () => tableFiles && offer(moduleFile(format), name));
    }
    update();
    performance.mark("hndpos-first-dial");
    document.documentElement.dataset.ready = "true";
  }, moduleFailed);
})();
