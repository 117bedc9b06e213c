// The page's size and speed in headless Chromium: the time from navigation
// to the first dial drawn (a fresh browser each round, and reloads in one
// browser), one generate() call and one tables() call for 720/60/60
// positions in the page.
//
//   node bench/page_timing.mjs build/web/hndpos.html [ROUNDS]
import fs from "node:fs";
import { createRequire } from "node:module";
import path from "node:path";
import zlib from "node:zlib";

const [pagePath, roundsText] = process.argv.slice(2);
const rounds = Number(roundsText || 7);
const puppeteer = createRequire(path.resolve("tests/web/package.json"))("puppeteer-core");
const url = "file://" + path.resolve(pagePath);
const bytes = fs.readFileSync(pagePath);
console.log(`hndpos.html: ${bytes.length} bytes, ${zlib.gzipSync(bytes, { level: 9 }).length} gzipped`);

const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];
const launch = () =>
  puppeteer.launch({ executablePath: "/usr/bin/chromium", headless: true, args: ["--no-sandbox", "--disable-gpu"] });
const firstDial = async (page) => {
  await page.goto(url);
  await page.waitForSelector("html[data-ready='true']");
  return page.evaluate(() => performance.getEntriesByName("hndpos-first-dial")[0].startTime);
};

const cold = [];
for (let round = 0; round < rounds; ++round) {
  const browser = await launch();
  cold.push(await firstDial(await browser.newPage()));
  await browser.close();
}
const browser = await launch();
const page = await browser.newPage();
const warm = [];
for (let round = 0; round < rounds; ++round) warm.push(await firstDial(page));
const perCall = await page.evaluate(() => {
  const texts = ["83", "30", "9", "13", "14"];
  for (let i = 0; i < 100; ++i) window.hndpos.generate(texts);
  const started = performance.now();
  for (let i = 0; i < 2000; ++i) window.hndpos.generate(texts);
  return (performance.now() - started) / 2000;
});
const tablesCall = await page.evaluate(() => {
  const options = { center: [160, 120], radii: [60, 90, 100], positions: [720, 60, 60] };
  window.hndpos.tables(options);
  const started = performance.now();
  for (let i = 0; i < 20; ++i) window.hndpos.tables(options);
  return (performance.now() - started) / 20;
});
await browser.close();
console.log(`first dial, fresh browser: median ${median(cold).toFixed(1)} ms of ${cold.map((t) => t.toFixed(0)).join(" ")}`);
console.log(`first dial, reload: median ${median(warm).toFixed(1)} ms of ${warm.map((t) => t.toFixed(0)).join(" ")}`);
console.log(`one generate() in the page: ${(perCall * 1000).toFixed(0)} µs`);
console.log(`one tables() for 720/60/60 in the page: ${tablesCall.toFixed(1)} ms`);
