// The kobal module's batch calls beside kobal-lookup on the same numbers, taking turns in every
// round: CPU time of lookupMany, detectCarrierMany and parseMany (every field of each number, as
// objects), and of making parseMany's result alone, in this process (process.cpuUsage around
// the call alone, the array being their input as the file is kobal-lookup's) and of
// `kobal-lookup --input FILE` and `--raw --input FILE` to /dev/null (perf stat's task-clock,
// the process's start and reading the file included). Before timing, every answer is checked
// against kobal-lookup's. Prints medians, the cost per number and the ratios against the goal.
// Usage: node bench/module-throughput.mjs MODULE_JS KOBAL_LOOKUP NUMBERS_FILE RUNS
import { spawnSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { pathToFileURL } from "node:url";

const [modulePath, tool, numbersFile, runsText] = process.argv.slice(2);
const runs = Number(runsText);
const ratioGoal = 3;
const kobal = await import(pathToFileURL(modulePath).href);
const numbers = readFileSync(numbersFile, "utf8").split("\n");
numbers.pop(); // the file ends with a LF

// kobal-lookup's answers, the text after the tab of each line.
const lookupAnswers = (args) => {
  const run = spawnSync(tool, [...args, "--input", numbersFile], { maxBuffer: 1 << 30 });
  if (run.status !== 0) throw new Error(`${tool} ${args.join(" ")} failed: ${run.stderr}`);
  const lines = run.stdout.toString("utf8").split("\n");
  lines.pop();
  return lines.map((line) => line.slice(line.indexOf("\t") + 1));
};
for (const [name, call, args] of [
  ["lookupMany", kobal.lookupMany, []],
  ["detectCarrierMany", kobal.detectCarrierMany, ["--raw"]],
]) {
  const expected = lookupAnswers(args);
  const answers = call(numbers);
  const wrong = answers.findIndex((answer, i) => answer !== expected[i]);
  if (answers.length !== numbers.length || wrong >= 0)
    throw new Error(`${name} differs from kobal-lookup ${args.join(" ")} at line ${wrong + 1}`);
}
// Each number's formatted field, one after the other, and their lengths: what parseMany's result
// alone is made of (below).
let formattedJoined;
let formattedSizes;
{
  const expected = lookupAnswers([]);
  const parsed = kobal.parseMany(numbers);
  const wrong = parsed.findIndex((answer, i) => (answer.result ?? "") !== expected[i]);
  if (parsed.length !== numbers.length || wrong >= 0)
    throw new Error(`parseMany's result differs from kobal-lookup at line ${wrong + 1}`);
  formattedJoined = parsed.map((answer) => answer.formatted ?? "").join("");
  formattedSizes = Uint8Array.from(parsed, (answer) => answer.formatted?.length ?? 0);
}

// The least any parseMany can cost in this engine: its result alone, an object of the fields for
// each number, made from strings Node already holds (the item as its number, the formatted
// number sliced out of one string as the module slices it, the rest shared), with no lookup.
const resultAlone = () => {
  const results = new Array(numbers.length);
  for (let i = 0, at = 0; i < numbers.length; i++) {
    const size = formattedSizes[i];
    results[i] = {
      number: numbers[i],
      formatted: size > 0 ? formattedJoined.slice(at, (at += size)) : null,
      status: "number",
      kind: "fixed",
      prefecture: "東京都",
      place: "新有明",
      ma: "東京",
      carrier: "NTT東日本",
      region: null,
      result: "NTT固定（東京都新有明）",
    };
  }
  return results;
};

// Milliseconds of CPU time.
const nodeCpu = (call) => {
  const start = process.cpuUsage();
  call(numbers);
  const used = process.cpuUsage(start);
  return (used.user + used.system) / 1000;
};
const lookupCpu = (args) => {
  const perf = ["stat", "-x,", "-e", "task-clock", "--", tool, ...args, "--input", numbersFile];
  const run = spawnSync("perf", perf, { stdio: ["ignore", "ignore", "pipe"] });
  const line = run.stderr.toString().split("\n").find((text) => text.includes("task-clock"));
  if (run.status !== 0 || !line) throw new Error(`perf stat ${tool} failed: ${run.stderr}`);
  return Number(line.split(",")[0]);
};

const timed = {
  lookupMany: () => nodeCpu(kobal.lookupMany),
  detectCarrierMany: () => nodeCpu(kobal.detectCarrierMany),
  parseMany: () => nodeCpu(kobal.parseMany),
  "parseMany's result alone": () => nodeCpu(resultAlone),
  "kobal-lookup --input FILE": () => lookupCpu([]),
  "kobal-lookup --raw --input FILE": () => lookupCpu(["--raw"]),
};
const names = Object.keys(timed);
const times = Object.fromEntries(names.map((name) => [name, []]));
for (const name of names) timed[name](); // warm-up: the engine compiled for speed, the file cached
// Every one once per round, starting one further each round, so that the machine's load falls
// on all of them.
for (let round = 0; round < runs; round++) {
  for (let i = 0; i < names.length; i++) {
    const name = names[(round + i) % names.length];
    times[name].push(timed[name]());
  }
}
const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const half = sorted.length >> 1;
  return sorted.length % 2 ? sorted[half] : (sorted[half - 1] + sorted[half]) / 2;
};
const ms = Object.fromEntries(names.map((name) => [name, median(times[name])]));
const perNumber = (name) => (1e6 * ms[name]) / numbers.length;

console.log(`${numbers.length} numbers of the benchmark mix, CPU time, median of ${runs} rounds:`);
for (const name of names)
  console.log(
    `  ${name.padEnd(32)} ${ms[name].toFixed(1).padStart(8)} ms` +
      `  ${perNumber(name).toFixed(1).padStart(7)} ns a number`,
  );
for (const [module, native] of [
  ["lookupMany", "kobal-lookup --input FILE"],
  ["detectCarrierMany", "kobal-lookup --raw --input FILE"],
  ["parseMany", "kobal-lookup --input FILE"],
]) {
  const ratio = ms[module] / ms[native];
  console.log(
    `  ${module} / ${native}: ${ratio.toFixed(2)}` +
      ` (goal at most ${ratioGoal}: ${ratio <= ratioGoal ? "met" : "MISSED"})`,
  );
}
console.log(
  `  parseMany's result alone / kobal-lookup --input FILE: ` +
    `${(ms["parseMany's result alone"] / ms["kobal-lookup --input FILE"]).toFixed(2)}` +
    " (the least any parseMany returning these objects could take here)",
);
// One call a number, as before the batch calls: the first 100,000 numbers, the second time.
const some = numbers.slice(0, 100_000);
const oneByOne = () => {
  const start = process.cpuUsage();
  for (const number of some) kobal.detectCarrier(number);
  const used = process.cpuUsage(start);
  return (1000 * (used.user + used.system)) / some.length;
};
oneByOne();
console.log(`  detectCarrier, one call a number: ${oneByOne().toFixed(1)} ns a number`);
