// A picture for the documents: an SVG that hndpos-view drew, rendered by
// headless Chromium to a PNG at its own size.
//
//   node tools/svg_picture.mjs PICTURE.svg PICTURE.png
//
// Needs Chromium and puppeteer-core (npm ci --prefix tests/web).
import fs from "node:fs";
import path from "node:path";
import { createRequire } from "node:module";

const [input, output] = process.argv.slice(2);
const here = path.dirname(new URL(import.meta.url).pathname);
const puppeteer = createRequire(path.join(here, "..", "tests", "web", "package.json"))("puppeteer-core");
const svg = fs.readFileSync(input, "utf8");
const [, width, height] = svg.match(/<svg[^>]* width="(\d+)" height="(\d+)"/);
const browser = await puppeteer.launch({ executablePath: "/usr/bin/chromium", headless: true, args: ["--no-sandbox"] });
try {
  const page = await browser.newPage();
  await page.setViewport({ width: Number(width), height: Number(height), deviceScaleFactor: 1 });
  await page.setContent(`<body style="margin:0">${svg.replace(/^<\?xml[^>]*>/, "")}</body>`);
  await page.screenshot({ path: output, clip: { x: 0, y: 0, width: Number(width), height: Number(height) } });
} finally {
  await browser.close();
}
