// The page: the five texts go to hndpos as they are, and what it wrote is
// shown, drawn and offered for download. Nothing here computes a table.
(function () {
  "use strict";

  const fieldIds = ["center-x", "center-y", "hour-radius", "minute-radius", "second-radius"];
  const fieldNames = ["centre X", "centre Y", "hour-hand radius", "minute-hand radius", "second-hand radius"];
  const byId = (id) => document.getElementById(id);
  let module = null;
  let fileBytes = null; // the last complete table, offered for download
  let clockTimer = null;

  // A POSIX shell word for the text: as it is when that is safe, else quoted.
  function shellWord(text) {
    return /^[A-Za-z0-9+\-_.,:]+$/.test(text) ? text : "'" + text.replace(/'/g, "'\\''") + "'";
  }

  // The console text after the banner's three lines.
  function afterBanner(consoleText) {
    return consoleText.split("\r\n").slice(3).join("\n").replace(/\n+$/, "");
  }

  function displaySize() {
    const width = parseInt(byId("display-width").value, 10);
    const height = parseInt(byId("display-height").value, 10);
    const valid = (n) => Number.isInteger(n) && n >= 1 && n <= 256;
    return valid(width) && valid(height) ? [width, height] : [0, 0];
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

  function update() {
    const texts = fieldIds.map((id) => byId(id).value);
    const rejected = [];
    fieldIds.forEach((id, index) => {
      const accepted = module.accepts(texts[index]);
      byId(id).setAttribute("aria-invalid", accepted ? "false" : "true");
      if (!accepted) rejected.push(fieldNames[index] + " (" + JSON.stringify(texts[index]) + ")");
    });
    byId("command").value = ["hndpos"].concat(texts.map(shellWord)).join(" ");

    updateTables(rejected.length === 0 ? texts.map((text) => module.integerValue(text)) : null);
    const run = module.generate(texts);
    const consoleText = module.toText(run.console);
    fileBytes = null;
    byId("download").disabled = true;
    byId("summary").textContent = "";
    byId("dial").innerHTML = "";
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
    byId("download").disabled = false;
    byId("summary").textContent = afterBanner(consoleText);
    const [width, height] = displaySize();
    const [hours, minutes, seconds] = time();
    byId("dial").innerHTML = module.dialSvg(hours, minutes, seconds, width, height);
    const problem = module.displayProblem(width, height);
    showMessage(problem ? "Warning: " + problem + "." : "", "warning");
  }

  // hndpos-tables' files for the same parameters, and the hands they give
  // at the chosen time: each hand's index is the floor of its positions
  // times the elapsed part of its turn, as the header's macros compute it.
  const positionIds = ["hour-positions", "minute-positions", "second-positions"];
  let tableFiles = null;
  let tablesCache = null;

  function tablesPreview(tables, hours, minutes, seconds) {
    const elapsed = [((hours % 12) * 3600 + minutes * 60 + seconds) / 43200, (minutes * 60 + seconds) / 3600, seconds / 60];
    const [cx, cy] = tables.center;
    const xs = [cx].concat(...tables.hands.map((hand) => hand.x));
    const ys = [cy].concat(...tables.hands.map((hand) => hand.y));
    const low = [Math.min(...xs) - 2, Math.min(...ys) - 2];
    const size = [Math.max(...xs) + 3 - low[0], Math.max(...ys) + 3 - low[1]];
    const colours = ["#d62728", "#1f77b4", "#2ca02c"];
    const widths = [3, 2, 1];
    let svg = `<svg xmlns="http://www.w3.org/2000/svg" viewBox="${low[0]} ${low[1]} ${size[0]} ${size[1]}">`;
    tables.hands.forEach((hand, index) => {
      const tip = Math.floor(hand.positions * elapsed[index]);
      svg += `<line x1="${cx + 0.5}" y1="${cy + 0.5}" x2="${hand.x[tip] + 0.5}" y2="${hand.y[tip] + 0.5}" ` +
             `stroke="${colours[index]}" stroke-width="${widths[index]}" vector-effect="non-scaling-stroke"/>`;
    });
    return svg + `<rect x="${cx}" y="${cy}" width="1" height="1" fill="#000"/></svg>`;
  }

  function updateTables(values) {
    tableFiles = null;
    ["download-c", "download-h", "download-json"].forEach((id) => (byId(id).disabled = true));
    byId("tables-dial").innerHTML = "";
    const positions = positionIds.map((id) => Number(byId(id).value));
    positionIds.forEach((id, index) => {
      const valid = Number.isInteger(positions[index]) && positions[index] >= 1 && positions[index] <= 43200 &&
                    /^[0-9]+$/.test(byId(id).value);
      byId(id).setAttribute("aria-invalid", valid ? "false" : "true");
    });
    const type = byId("type").value;
    const texts = fieldIds.map((id) => byId(id).value);
    byId("tables-command").value = ["hndpos-tables", "--center", texts[0], texts[1], "--radii"]
      .concat(texts.slice(2), ["--positions"], positionIds.map((id) => byId(id).value), type ? ["--type", type] : [],
              ["-o", "dial.c"]).map(shellWord).join(" ");
    const message = byId("tables-message");
    message.className = "";
    message.textContent = "";
    if (values === null || positionIds.some((id) => byId(id).getAttribute("aria-invalid") === "true")) {
      message.className = "error";
      message.textContent = "hndpos-tables refuses these parameters: each is an integer as hndpos reads it, " +
                            "and each hand has 1 to 43200 positions.";
      return;
    }
    const options = { center: values.slice(0, 2), radii: values.slice(2), positions: positions, type: type || undefined };
    const key = JSON.stringify(options);
    if (!tablesCache || tablesCache.key !== key) {
      // The clock ticks every second: the tables are made once per set of parameters.
      tablesCache = { key: key, files: null, problem: "" };
      try {
        tablesCache.files = module.tablesFiles(options);
        tablesCache.tables = JSON.parse(tablesCache.files.json);
      } catch (error) {
        tablesCache.problem = error.message;
      }
    }
    if (!tablesCache.files) {
      message.className = "error";
      message.textContent = "hndpos-tables refuses the tables: " + tablesCache.problem + ".";
      return;
    }
    tableFiles = tablesCache.files;
    ["download-c", "download-h", "download-json"].forEach((id) => (byId(id).disabled = false));
    const tables = tablesCache.tables;
    message.textContent = `${tables.type} entries; ${tables.hands.map((hand) => hand.positions + " " + hand.name).join(", ")} positions.`;
    const [hours, minutes, seconds] = time();
    byId("tables-dial").innerHTML = tablesPreview(tables, hours, minutes, seconds);
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

  performance.mark("hndpos-script");
  createHndposModule().then((instance) => {
    performance.mark("hndpos-module-ready");
    module = instance;
    window.hndpos = {
      generate: (texts) => module.generate(texts),
      tables: (options) => module.tables(options),
    };
    byId("parameters").addEventListener("input", (event) => {
      if (event.target.id === "time") followClock(false);
      update();
    });
    byId("parameters").addEventListener("submit", (event) => event.preventDefault());
    byId("now").addEventListener("click", () => followClock(byId("now").getAttribute("aria-pressed") !== "true"));
    byId("download").addEventListener("click", download);
    byId("download-c").addEventListener("click", () => tableFiles && offer(tableFiles.c, "dial.c"));
    byId("download-h").addEventListener("click", () => tableFiles && offer(tableFiles.h, "dial.h"));
    byId("download-json").addEventListener("click", () => tableFiles && offer(tableFiles.json, "dial.json"));
    update();
    performance.mark("hndpos-first-dial");
    document.documentElement.dataset.ready = "true";
  });
})();
