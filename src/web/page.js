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

  function download() {
    if (!fileBytes) return;
    const url = URL.createObjectURL(new Blob([fileBytes], { type: "application/octet-stream" }));
    const link = document.createElement("a");
    link.href = url;
    link.download = "hpostbl.c";
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
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
    };
    byId("parameters").addEventListener("input", (event) => {
      if (event.target.id === "time") followClock(false);
      update();
    });
    byId("parameters").addEventListener("submit", (event) => event.preventDefault());
    byId("now").addEventListener("click", () => followClock(byId("now").getAttribute("aria-pressed") !== "true"));
    byId("download").addEventListener("click", download);
    update();
    performance.mark("hndpos-first-dial");
    document.documentElement.dataset.ready = "true";
  });
})();
