// A TypeScript user of every function the package offers; tsc --strict
// --noEmit must accept it as it stands.
import { handIndices, hndpos, limits, tables, view } from "hndpos";
import type { Limits, Run, Tables, TablesFiles, ViewResult } from "hndpos";

const run: Run = hndpos(["83", "30", "9", "13", "14"]);
const status: number = run.status;
const file: Uint8Array | null = run.file;
const files: TablesFiles = tables({ center: [160, 120], radii: [60, 90, 100], positions: [720, 60, 60], type: "u16" });
const json: Tables = files.tables;
const ring: TablesFiles = tables({ center: [233, 233], figures: [{ name: "ticks", positions: 60, points: [[210, 0], [228, 0]] }], rounding: "nearest", bounds: true });
const gauge: TablesFiles = tables({ center: [119.5, 119.5], figures: [{ name: "needle", positions: 61, points: "-12,-3 104,0 -12,3" }], arcs: [["needle", -135, 270]], masks: [["needle", 4]], rounding: "nearest", subpixel: 4 });
const levels: number[] | undefined = gauge.tables.masks?.[0].positions[0].levels;
const atReading: ViewResult = view(gauge.json, { readings: [["needle", 75, 0, 100]] });
const tick: number[] | undefined = ring.tables.figures?.[0].x[0];
const firstX: number = json.hands[0].x[0];
const seen: ViewResult = view(files.json, { time: [10, 8, 30], display: [320, 240] });
const picture: string = seen.svg;
const lowX: number = seen.bounds[0][0];
const again: ViewResult = view("{}");
const [hour, minute, second]: [number, number, number] = handIndices({ positions: [720, 60, 60], time: [10, 8, 30, 0] });
const sides: Limits = limits();
const most: number = sides.wideDisplay[1];
if (file !== null) console.log(status, firstX, picture.length, lowX, again.problem, hour + minute + second, most, run.console.length, tick, levels, atReading.svg.length);
