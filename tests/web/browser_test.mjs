// The real page from file:// in headless Chromium: typing the five texts,
// the command line and the messages it shows, the downloaded hpostbl.c
// against the golden files, no network request, the dial's pixels, a
// narrow screen. The timings are bench/page_timing.mjs's.
//
//   node browser_test.mjs HNDPOS_HTML GOLDEN_DIR [SCREENSHOT.png]
import { spawnSync } from "node:child_process";
import fs from "node:fs";
import { createRequire } from "node:module";
import os from "node:os";
import path from "node:path";

const [pagePath, goldenDir, screenshotPath] = process.argv.slice(2);
const skip = (why) => {
  console.log("SKIPPED: " + why);
  process.exit(77);
};
const browserPath = ["/usr/bin/chromium", "/usr/bin/chromium-browser"].find((file) => fs.existsSync(file));
if (!browserPath) skip("no chromium (Debian package chromium)");
let puppeteer;
try {
  puppeteer = createRequire(import.meta.url)("puppeteer-core");
} catch {
  skip("puppeteer-core is not installed: npm ci --prefix tests/web");
}

let failures = 0;
let checks = 0;
const check = (ok, what) => {
  checks += 1;
  if (!ok) {
    failures += 1;
    console.error("FAIL: " + what);
  }
};

const downloads = fs.mkdtempSync(path.join(os.tmpdir(), "hndpos-downloads-"));
// A download's bytes once the browser has written the file (it renames it
// into place when complete), or null after 30 s (a busy machine is slow),
// or after `patience` ms where none is expected.
// A download once the browser has finished it: the file is there, no
// partial download is left beside it, and its size held for two looks.
const downloaded = async (file, patience = 30000) => {
  const size = () => (fs.existsSync(file) ? fs.statSync(file).size : -1);
  const partial = () => fs.readdirSync(path.dirname(file)).some((name) => name.endsWith(".crdownload"));
  let last = -2;
  for (let i = 0; i < patience / 50; ++i) {
    const now = size();
    if (now >= 0 && now === last && !partial()) break;
    last = now;
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  return fs.existsSync(file) ? fs.readFileSync(file) : null;
};
const sameAs = (bytes, expected) => bytes !== null && Buffer.compare(bytes, expected) === 0;
const browser = await puppeteer.launch({
  executablePath: browserPath,
  headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking"],
});
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1000, height: 1400, deviceScaleFactor: 1 });
  const requests = [];
  page.on("request", (request) => requests.push(request.url()));
  const errors = [];
  page.on("pageerror", (error) => errors.push(String(error)));
  const session = await page.createCDPSession();
  await session.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: downloads, eventsEnabled: true });

  const url = "file://" + path.resolve(pagePath);
  await page.goto(url);
  await page.waitForSelector("html[data-ready='true']", { timeout: 30000 });
  if (screenshotPath) await page.screenshot({ path: screenshotPath, fullPage: true });

  const ids = ["center-x", "center-y", "hour-radius", "minute-radius", "second-radius"];
  const typeTexts = async (texts) => {
    for (let i = 0; i < ids.length; ++i) {
      await page.click("#" + ids[i], { clickCount: 3 });
      await page.keyboard.press("End");
      await page.keyboard.down("Shift");
      await page.keyboard.press("Home");
      await page.keyboard.up("Shift");
      await page.keyboard.press("Backspace");
      if (texts[i]) await page.keyboard.type(texts[i]);
    }
  };
  const value = (selector) => page.$eval(selector, (element) => element.value);
  const text = (selector) => page.$eval(selector, (element) => element.textContent);
  const downloadDisabled = () => page.$eval("#download", (element) => element.disabled);
  const download = async (byKeyboard, patience) => {
    for (const name of fs.readdirSync(downloads)) fs.rmSync(path.join(downloads, name));
    if (byKeyboard) {
      await page.focus("#download");
      await page.keyboard.press("Enter");
    } else {
      await page.click("#download");
    }
    return downloaded(path.join(downloads, "hpostbl.c"), patience);
  };

  // Every golden table, typed, downloaded and compared byte for byte; a
  // dial whose tips wrap modulo 256 is named in a warning.
  const wraps = "which wraps modulo 256";
  // The complete golden runs of the manifest, with the command line and
  // the warning the page shows for each.
  const shown = {
    "example": ["hndpos 83 30 9 13 14", ""],
    "zeros": ["hndpos 0 0 0 0 0", ""],
    "wrap": ["hndpos 250 2 10 -10 300", "x at position 6 is 256, " + wraps],
    "negative-radii": ["hndpos -173 339 -9 -13 -2147483647", wraps],
    "large-radii": ["hndpos 127 128 2147483647 1000003 65537", wraps],
    "ties": ["hndpos 0 0 5 3001 2999", wraps],
    "syntax-forms": ["hndpos '  +83' '$1E' 009 '$d' ' 14'", ""],
  };
  const goldenCases = fs.readFileSync(path.join(goldenDir, "cases.tsv"), "utf8").split("\n")
    .filter((line) => line && !line.startsWith("#") && !line.startsWith("invalid-op")).map((line) => line.split("\t"))
    .map(([run, name, ...texts]) => [name, texts, ...(shown[run] || ["(a golden run this test does not know)", ""])]);
  for (const [name, texts, command, warning] of goldenCases) {
    await typeTexts(texts);
    check((await value("#command")) === command, `${name}: #command is ${await value("#command")}`);
    const shown = await text("#message");
    check(warning ? shown.startsWith("Warning: ") && shown.includes(warning) : shown === "", `${name}: #message says ${shown}`);
    const saved = await download(name === "zeros");
    const golden = fs.readFileSync(path.join(goldenDir, name + ".c"));
    check(saved !== null && Buffer.compare(saved, golden) === 0, `${name}: the download differs from ${name}.c`);
  }
  check((await text("#summary")).startsWith("中心座標 83:30  時針半径 9"), "the summary line in UTF-8");

  // A rejected text: the field is marked and named, with the usage text.
  await typeTexts(["83", "30", "9", "13", "14x"]);
  const message = await text("#message");
  check(message.includes('second-hand radius ("14x")') && message.includes("構文: HNDPOS 中心X座標 中心Y座標"),
        "a rejected text: " + message);
  check(await page.$eval("#second-radius", (e) => e.getAttribute("aria-invalid") === "true"), "the field is marked");
  check(await downloadDisabled(), "no download for a rejected text");

  // The radius -2147483648: the report, never a partial file.
  await typeTexts(["83", "30", "$80000000", "13", "14"]);
  const report = await text("#message");
  check(report.includes("EInvalidOpがﾓｼﾞｭｰﾙ hndpos の ") && report.includes("不正な浮動小数点数演算命令."),
        "the failure report: " + report);
  check(await downloadDisabled(), "no download after a failure");
  // The button is disabled: a download would come at once, and none does.
  check((await download(false, 2000)) === null, "nothing was saved after a failure");

  // A display: its outline, and a warning naming the first tip off it.
  await typeTexts(["83", "30", "9", "13", "14"]);
  await page.type("#display-width", "96");
  await page.type("#display-height", "44");
  check((await text("#message")).includes("the minute hand's x at position 13 is 96"), "the display warning");
  check((await page.$("#dial svg #display")) !== null, "the display's outline");
  check(!(await downloadDisabled()), "a dial off the display still downloads");
  await page.$eval("#display-width", (e) => { e.value = ""; e.dispatchEvent(new Event("input", { bubbles: true })); });

  // The dial's pixels at 10:08:30: the centre, the hands, a faint tip and
  // the background, where display pixel (x, y) lands on the screen.
  await page.$eval("#time", (e) => { e.value = "10:08:30"; e.dispatchEvent(new Event("input", { bubbles: true })); });
  // The picture at 8 screen pixels a display pixel, read by the same PNG
  // reader as the viewer's browser test.
  const box = await page.$eval("#dial svg", (svg) => {
    const view = svg.viewBox.baseVal;
    svg.style.width = view.width + "px";
    svg.style.maxWidth = "none";
    const rect = svg.getBoundingClientRect();
    return { left: rect.left + window.scrollX + 1, top: rect.top + window.scrollY + 1, width: view.width, height: view.height,
             x: view.x, y: view.y };
  });
  const shot = path.join(downloads, "dial.png");
  await page.screenshot({ path: shot, clip: { x: box.left, y: box.top, width: box.width, height: box.height } });
  const pixels = spawnSync("python3", [path.join(goldenDir, "..", "..", "hndpos-view", "png_pixels.py"), shot, String(box.x / 8),
    String(box.y / 8), "8", "83,30=#000000", "83,40=#2ca02c", "75,26=#d62728", "93,21=#1f77b4", "92,30=#f1b3b4",
    "68,15=#ffffff"], { encoding: "utf8" });
  check(pixels.status === 0, "the dial's pixels: " + pixels.stdout + pixels.stderr);
  await page.$eval("#dial svg", (svg) => { svg.style.width = ""; svg.style.maxWidth = ""; });

  // The "now" button follows the clock; typing a time stops it.
  await page.click("#now");
  check(await page.$eval("#now", (e) => e.getAttribute("aria-pressed") === "true"), "now is pressed");
  await page.$eval("#time", (e) => { e.value = "01:02:03"; e.dispatchEvent(new Event("input", { bubbles: true })); });
  check(await page.$eval("#now", (e) => e.getAttribute("aria-pressed") === "false"), "typing a time releases now");

  // Keyboard: Tab walks the fields in order.
  await page.focus("#center-x");
  await page.keyboard.press("Tab");
  check(await page.evaluate(() => document.activeElement.id === "center-y"), "Tab moves to the next field");

  // window.hndpos.generate for scripts.
  const generated = await page.evaluate(() => {
    const run = window.hndpos.generate(["83", "30", "9", "13", "14"]);
    return { status: run.status, consoleIsBytes: run.console instanceof Uint8Array, file: Array.from(run.file),
             usageFile: window.hndpos.generate([]).file };
  });
  check(generated.status === 0 && generated.consoleIsBytes && generated.usageFile === null, "window.hndpos.generate");
  check(Buffer.compare(Buffer.from(generated.file), fs.readFileSync(path.join(goldenDir, "example.c"))) === 0,
        "window.hndpos.generate's file");

  // hndpos-tables in the page: the positions and the type, the five
  // downloads byte for byte as the program writes them, window.hndpos.tables.
  const tablesGolden = path.join(goldenDir, "..", "..", "hndpos-tables", "golden");
  await typeTexts(["160", "120", "60", "90", "100"]);
  for (const [id, count] of [["#hour-positions", "720"], ["#minute-positions", "60"], ["#second-positions", "600"]]) {
    await page.$eval(id, (e, v) => { e.value = v; e.dispatchEvent(new Event("input", { bubbles: true })); }, count);
  }
  await page.select("#type", "u16");
  await page.waitForFunction(() => !document.getElementById("download-c").disabled);
  for (const [button, name] of [["#download-c", "dial.c"], ["#download-h", "dial.h"], ["#download-json", "dial.json"],
                                ["#download-rs", "dial.rs"], ["#download-py", "dial.py"]]) {
    for (const file of fs.readdirSync(downloads)) fs.rmSync(path.join(downloads, file));
    await page.click(button);
    const bytes = await downloaded(path.join(downloads, name));
    check(sameAs(bytes, fs.readFileSync(path.join(tablesGolden, name))),
          `${name}: the download ${bytes === null ? "never came" : "differs from hndpos-tables' file"}`);
  }
  // The preview's hour hand ends at its tip: the last pixel the viewer's
  // picture draws for it, in display pixels.
  const hourTip = () => page.$eval("#tables-dial svg", (svg) => {
    const rects = svg.querySelectorAll("#hour-hand rect");
    const last = rects[rects.length - 1];
    const scale = Number(last.getAttribute("width"));
    return [Number(last.getAttribute("x")) / scale, Number(last.getAttribute("y")) / scale];
  });
  // At 10:30:00 the 720-step hour hand points at index 630.
  await page.$eval("#time", (e) => { e.value = "10:30:00"; e.dispatchEvent(new Event("input", { bubbles: true })); });
  await page.waitForFunction(() => !document.getElementById("download-c").disabled);
  const golden = JSON.parse(fs.readFileSync(path.join(tablesGolden, "dial.json"), "utf8"));
  const hourAt1030 = await hourTip();
  check(hourAt1030[0] === golden.hands[0].x[630] && hourAt1030[1] === golden.hands[0].y[630],
        "the preview's hour hand at 10:30 is index 630: " + hourAt1030);
  // At 0:13:00 the exact floor is 13, where a floating-point fraction gave 12.
  await page.$eval("#time", (e) => { e.value = "00:13:00"; e.dispatchEvent(new Event("input", { bubbles: true })); });
  await page.waitForFunction(() => !document.getElementById("download-c").disabled);
  const hourAt0013 = await hourTip();
  check(hourAt0013[0] === golden.hands[0].x[13] && hourAt0013[1] === golden.hands[0].y[13],
        "the preview's hour hand at 0:13 is index 13: " + hourAt0013);
  // A file on the clipboard is the file's text (the clipboard itself is
  // the browser's: its writer is stood in for).
  await page.evaluate(() => { navigator.clipboard.writeText = async (text) => { window.copiedText = text; }; });
  await page.click("#copy-c");
  await page.waitForFunction(() => document.getElementById("copied").textContent.startsWith("dial.c copied"));
  const copiedText = await page.evaluate(() => window.copiedText);
  check(copiedText === fs.readFileSync(path.join(tablesGolden, "dial.c"), "utf8"), "Copy gives dial.c's text");
  // The largest tables draw.
  for (const id of ["#hour-positions", "#minute-positions", "#second-positions"])
    await page.$eval(id, (e) => { e.value = "43200"; e.dispatchEvent(new Event("input", { bubbles: true })); });
  await page.waitForFunction(() => !document.getElementById("download-c").disabled, { timeout: 60000 });
  check(await page.$$eval("#tables-dial svg g[id$='-hand']", (hands) => hands.length === 3), "43200 positions a hand: the preview draws");
  for (const [id, count] of [["#hour-positions", "720"], ["#minute-positions", "60"], ["#second-positions", "600"]])
    await page.$eval(id, (e, v) => { e.value = v; e.dispatchEvent(new Event("input", { bubbles: true })); }, count);
  const api = await page.evaluate(() => {
    const tables = window.hndpos.tables({ center: [160, 120], radii: [60, 90, 100], positions: [720, 60, 600], type: "u16" });
    let refused = "";
    try {
      window.hndpos.tables({ center: [160, 120], radii: [60, 90, 100], type: "u8" });
    } catch (error) {
      refused = error.message;
    }
    return { tables, refused };
  });
  check(JSON.stringify(api.tables) === JSON.stringify(golden), "window.hndpos.tables returns hndpos-tables' JSON");
  check(api.refused === "the second hand's x at position 13 is 258, which u8 cannot hold", "window.hndpos.tables refuses: " + api.refused);
  await page.$eval("#hour-positions", (e) => { e.value = "0"; e.dispatchEvent(new Event("input", { bubbles: true })); });
  await page.waitForFunction(() => document.getElementById("tables-message").textContent.includes("refuses"));
  check(await page.$eval("#hour-positions", (e) => e.getAttribute("aria-invalid") === "true"), "0 positions is marked");
  check(await page.$eval("#download-c", (e) => e.disabled), "no tables for 0 positions");

  // The figure editor: a tailed hand and a tick ring beside the tips, in
  // the nearest rounding with boxes; dial.c as hndpos-tables writes it, the
  // preview drawing both figures, the command giving the same options.
  const setValue = (id, value) =>
    page.$eval(id, (e, v) => { e.value = v; e.dispatchEvent(new Event("input", { bubbles: true })); }, value);
  await typeTexts(["233", "233", "120", "180", "200"]);
  for (const id of ["#hour-positions", "#minute-positions", "#second-positions"]) await setValue(id, "60");
  await page.select("#type", "");
  await setValue("#figures", "hand 60 -24,-6 120,0 -24,6\nticks 60 210,0 228,0");
  await page.select("#rounding", "nearest");
  await page.click("#bounds");
  await page.waitForFunction(() => document.getElementById("tables-message").textContent.includes("figures hand, ticks"));
  for (const file of fs.readdirSync(downloads)) fs.rmSync(path.join(downloads, file));
  await page.click("#download-c");
  const figured = await downloaded(path.join(downloads, "dial.c"));
  check(sameAs(figured, fs.readFileSync(path.join(tablesGolden, "figures.c"))), "the figures' dial.c differs from hndpos-tables'");
  check(await page.$eval("#tables-dial svg", (svg) => svg.querySelector("#figure-hand polygon") !== null &&
                                                      svg.querySelectorAll("#figure-ticks rect").length >= 60),
        "the preview draws the hand's polygon and the ticks");
  check((await page.$eval("#tables-command", (e) => e.value)).includes("--figure hand 60 '-24,-6 120,0 -24,6' --figure ticks 60 '210,0 228,0' --rounding nearest --bounds"),
        "the command gives the figures: " + await page.$eval("#tables-command", (e) => e.value));
  // A gauge's needle on an arc with its masks, drawn at a reading.
  await setValue("#figures", "needle 61 arc:-135:270 mask:2 at:75:0:100 -12,-3 100,0 -12,3");
  await page.waitForFunction(() => document.getElementById("tables-message").textContent.includes("figures needle"));
  check(await page.$eval("#tables-dial svg", (svg) => svg.querySelectorAll("#figure-needle rect").length > 50),
        "the preview draws the needle from its masks");
  check((await page.$eval("#tables-command", (e) => e.value)).includes("--arc needle -135 270 --mask needle 2"),
        "the command gives the arc and the mask: " + await page.$eval("#tables-command", (e) => e.value));
  await setValue("#figures", "hand 60 -24,-6 120");
  await page.waitForFunction(() => document.getElementById("tables-message").textContent.includes("refuses these figures"));
  check(await page.$eval("#figures", (e) => e.getAttribute("aria-invalid") === "true"), "a bad figure line is marked");
  await setValue("#figures", "hour 60 1,0");
  await page.waitForFunction(() => document.getElementById("tables-message").textContent.includes("two things would be named"));
  await setValue("#figures", "");
  await page.select("#rounding", "extended");
  await page.click("#bounds");

  // Today's panels, each drawn at its own scale inside its outline; where
  // the byte table wraps, the warning links to the wide tables and gives
  // the command that writes them; the rulers' labels never meet.
  const setField = (id, value) =>
    page.$eval(id, (e, v) => { e.value = v; e.dispatchEvent(new Event("input", { bubbles: true })); }, value);
  const rulerOverlaps = (selector) => page.$eval(selector, (svg) => {
    const boxes = [...svg.querySelectorAll("#ruler text")].map((t) => t.getBBox());
    let overlaps = 0;
    for (let i = 0; i < boxes.length; ++i)
      for (let j = i + 1; j < boxes.length; ++j)
        if (boxes[i].x < boxes[j].x + boxes[j].width && boxes[j].x < boxes[i].x + boxes[i].width &&
            boxes[i].y < boxes[j].y + boxes[j].height && boxes[j].y < boxes[i].y + boxes[i].height) overlaps += 1;
    return overlaps;
  });
  for (const [texts, width, height] of [[["63", "31", "16", "24", "28"], 128, 64],
                                        [["160", "120", "60", "90", "100"], 320, 240],
                                        [["233", "233", "120", "180", "210"], 466, 466]]) {
    await typeTexts(texts);
    for (const [id, value] of [["#hour-positions", "720"], ["#minute-positions", "60"], ["#second-positions", "60"],
                               ["#display-width", String(width)], ["#display-height", String(height)]])
      await setField(id, value);
    await page.waitForFunction(() => !document.getElementById("download-c").disabled);
    const outline = await page.$eval("#tables-dial svg", (svg) => {
      const scale = Number(svg.querySelector("#hour-hand rect").getAttribute("width"));
      const panel = svg.querySelector("#display");
      return [Number(panel.getAttribute("width")) / scale, Number(panel.getAttribute("height")) / scale];
    });
    check(outline[0] === width && outline[1] === height, `${width}x${height}: the wide preview's panel is ${outline}`);
    check(!(await text("#tables-message")).includes("Warning"), `${width}x${height}: ${await text("#tables-message")}`);
    for (const selector of ["#dial svg", "#tables-dial svg"])
      check((await rulerOverlaps(selector)) === 0, `${width}x${height}: ruler labels overlap in ${selector}`);
  }
  const watchMessage = await text("#message");
  check(watchMessage.includes("wraps modulo 256") &&
        watchMessage.includes("hndpos-tables --center 233 233 --radii 120 180 210 --display 466x466 -o dial.c") &&
        (await page.$eval("#message a", (a) => a.getAttribute("href"))) === "#tables",
        "the watch's wrapped byte table points to the wide tables: " + watchMessage);
  await setField("#display-width", "400");
  await page.waitForFunction(() => document.getElementById("tables-message").textContent.includes("Warning"));
  check((await text("#tables-message")).includes("outside the 400x466 display"), "the wide tables' display check");
  await setField("#display-width", "");
  await setField("#display-height", "");
  for (const [id, count] of [["#hour-positions", "720"], ["#minute-positions", "60"], ["#second-positions", "600"]])
    await setField(id, count);

  // The page for everyone: the English reading, the embedded font, the
  // display sizes checked as hndpos-view checks them, the compact tables'
  // downloads, the pointer's pixel, no accessibility violation, a phone's
  // first screen.
  await typeTexts(["83", "30", "9", "13", "14"]);
  check((await text("#gloss")).includes("centre 83, 30; hour hand 9, minute hand 13, second hand 14"), "#gloss names the values");
  check(await page.evaluate(() => document.fonts.check('16px "hndpos-jp"', "中心座標") &&
                                  [...document.fonts].some((font) => font.family === "hndpos-jp" && font.status === "loaded")),
        "the embedded Japanese font is loaded");
  await typeTexts(["83", "30", "9", "13", "x"]);
  check((await text("#gloss")).includes("Usage: HNDPOS centre-X centre-Y"), "#gloss translates the usage text");
  await typeTexts(["83", "30", "$80000000", "13", "14"]);
  check((await text("#gloss")).includes("EInvalidOp (a floating-point result could not be converted to a 32-bit integer)") &&
        (await text("#gloss")).includes("a radius of -2147483648"), "#gloss explains the failure report");
  await typeTexts(["83", "30", "9", "13", "14"]);
  const setSizes = async (width, height) => {
    for (const [id, value] of [["#display-width", width], ["#display-height", height]])
      await page.$eval(id, (e, v) => { e.value = v; e.dispatchEvent(new Event("input", { bubbles: true })); }, value);
    return page.evaluate(() => ["display-width", "display-height"].map((id) => document.getElementById(id).getAttribute("aria-invalid")));
  };
  for (const [width, height, expected] of [["65536", "64", ["true", "false"]], ["-5", "64", ["true", "false"]],
                                           ["1e2", "64", ["true", "false"]], ["128", "", ["false", "true"]],
                                           ["0128", "64", ["true", "false"]], ["128", "64", ["false", "false"]]]) {
    const marked = await setSizes(width, height);
    check(JSON.stringify(marked) === JSON.stringify(expected), `display ${width}x${height}: aria-invalid ${marked}`);
    const reason = await text("#display-reason");
    check(expected.includes("true") ? !reason.startsWith("Both sizes") : reason.startsWith("Both sizes"),
          `display ${width}x${height}: the reason says ${reason}`);
  }
  await setSizes("", "");
  const viewGolden = (name) => fs.readFileSync(path.join(goldenDir, "..", "..", "hndpos-view", "golden", name));
  for (const storage of ["data", "const", "progmem"]) {
    await page.select("#storage", storage);
    for (const [button, name, expected] of [["#download-header", "hpostbl.h", `example-${storage}.h`],
                                            ["#download-source", `hpostbl_${storage}.c`, `example-${storage}.c`]]) {
      if (storage === "data" && button === "#download-source") {
        check(await page.$eval(button, (e) => e.hidden), "no compact source for int tables");
        continue;
      }
      for (const file of fs.readdirSync(downloads)) fs.rmSync(path.join(downloads, file));
      await page.click(button);
      const bytes = await downloaded(path.join(downloads, name));
      check(sameAs(bytes, viewGolden(expected)),
            `${storage}: ${name} ${bytes === null ? "never came" : "differs from hndpos-view --emit's"}`);
    }
  }
  const tip = await page.$eval("#dial svg", (svg) => {
    const point = new DOMPoint(96 * 8 + 4, 30 * 8 + 4).matrixTransform(svg.getScreenCTM());
    return { x: point.x, y: point.y };
  });
  await page.mouse.move(tip.x, tip.y);
  check((await text("#pointer")) === "pixel 96, 30: the tip of the minute hand at 15", "the pointer: " + (await text("#pointer")));
  await page.setBypassCSP(true);
  await page.reload();
  await page.waitForSelector("html[data-ready='true']");
  await page.addScriptTag({ path: createRequire(import.meta.url).resolve("axe-core/axe.min.js") });
  const violations = await page.evaluate(async () =>
    (await window.axe.run()).violations.map((v) => v.id + ": " + v.nodes.map((n) => n.target.join(" ")).join(", ")));
  check(violations.length === 0, "axe-core: " + violations.join("; "));
  await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 1 });
  const firstScreen = await page.evaluate(() => ["#dial svg", "#download"].map((selector) => {
    const box = document.querySelector(selector).getBoundingClientRect();
    return box.top >= 0 && box.bottom <= 844 && box.width > 0;
  }));
  check(firstScreen.every(Boolean), "a phone's first screen shows the dial and the download button: " + firstScreen);
  check(await page.evaluate(() => document.getElementById("center-x").getBoundingClientRect().top >=
                                  document.querySelector("#dial svg").getBoundingClientRect().bottom),
        "a phone shows the parameters after the dial");
  if (screenshotPath) await page.screenshot({ path: screenshotPath.replace(/\.png$/, "-phone.png") });
  // A desktop's first screen holds the first field; the wide tables' downloads are a link away.
  await page.setViewport({ width: 1280, height: 900, deviceScaleFactor: 1 });
  await page.evaluate(() => window.scrollTo(0, 0));
  check(await page.evaluate(() => document.getElementById("center-x").getBoundingClientRect().bottom <= 900),
        "at 1280x900 the first field is in the first screen");
  await page.click("nav a[href='#tables']");
  check(await page.evaluate(() => {
    const box = document.getElementById("download-c").getBoundingClientRect();
    return box.top >= 0 && box.bottom <= 900;
  }), "the link to the wide tables shows their downloads");
  await page.setViewport({ width: 1000, height: 1400, deviceScaleFactor: 1 });

  // A narrow screen: nothing wider than 360 pixels.
  await page.setViewport({ width: 360, height: 800, deviceScaleFactor: 1 });
  check(await page.evaluate(() => document.documentElement.scrollWidth <= 360), "the page fits 360 pixels");

  check(errors.length === 0, "errors in the page: " + errors.join("; "));

  // A browser without Uint8Array.fromBase64 decodes the module with atob.
  const older = await browser.newPage();
  await older.evaluateOnNewDocument(() => delete Uint8Array.fromBase64);
  await older.goto(url);
  await older.waitForSelector("html[data-ready='true']", { timeout: 30000 });
  check((await older.$eval("#summary", (e) => e.textContent)).startsWith("中心座標 83:30"), "without Uint8Array.fromBase64");

  // A browser without WebAssembly: the page says so instead of staying empty.
  const bare = await browser.newPage();
  const bareErrors = [];
  bare.on("pageerror", (error) => bareErrors.push(String(error)));
  await bare.evaluateOnNewDocument(() => delete globalThis.WebAssembly);
  await bare.goto(url);
  await bare.waitForFunction(() => document.getElementById("message").textContent !== "", { timeout: 30000 });
  check((await bare.$eval("#message", (e) => e.textContent)).includes("could not be started") && bareErrors.length === 0,
        "without WebAssembly: " + (await bare.$eval("#message", (e) => e.textContent)) + bareErrors.join("; "));
  const fetched = requests.filter((request) => !/^(file|data|blob):/.test(request));
  check(fetched.length === 0, "network requests: " + fetched.join(", "));
  console.log(`${requests.length} requests, all file:, data: or blob:`);
} finally {
  await browser.close();
  fs.rmSync(downloads, { recursive: true, force: true });
}
console.log(`${checks - failures} passed, ${failures} failed`);
process.exit(failures ? 1 : 0);
