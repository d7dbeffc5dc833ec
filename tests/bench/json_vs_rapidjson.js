// Prints json_bench's results as ratios: our time over RapidJSON's for each
// text, and for each growth shape, ours and RapidJSON's, the time of the
// largest text over the time of the smallest (linear growth from 2 KiB to
// 8 MiB would be 4096; caches and fresh pages add to it at the large end).
// The fastest repetition of each benchmark counts: the machine is shared.
//   node json_vs_rapidjson.js <json_bench JSON output>
'use strict';
const fs = require('fs');

const results = JSON.parse(fs.readFileSync(process.argv[2], 'utf8')).benchmarks;
const fastest = new Map();
for (const entry of results) {
  if (entry.run_type !== 'iteration' || entry.error_occurred) continue;
  const name = entry.run_name || entry.name;
  const nanos = entry.cpu_time * { ns: 1, us: 1e3, ms: 1e6, s: 1e9 }[entry.time_unit];
  fastest.set(name, Math.min(fastest.get(name) ?? Infinity, nanos));
}

const format = (nanos) => (nanos >= 1e6 ? `${(nanos / 1e6).toFixed(2)} ms` : `${(nanos / 1e3).toFixed(2)} us`);

for (const text of ['PageMessage2KiB', 'DirectoryAnswer300B', 'PrettyDirectoryAnswer300B']) {
  const ours = fastest.get(`Ours/${text}`);
  const theirs = fastest.get(`Rapid/${text}`);
  if (ours === undefined || theirs === undefined) continue;
  console.log(`${text.padEnd(26)} ours ${format(ours).padStart(10)}   RapidJSON ${format(theirs).padStart(10)}   ` +
              `ours / RapidJSON = ${(ours / theirs).toFixed(2)}`);
}

for (const shape of ['Messages', 'PrettyNumbers', 'DeepNesting']) {
  for (const [who, prefix] of [['ours', 'Growth'], ['RapidJSON', 'RapidGrowth']]) {
    const sizes = [...fastest.keys()]
      .filter((name) => name.startsWith(`${prefix}/${shape}/`))
      .map((name) => Number(name.split('/')[2]))
      .sort((a, b) => a - b);
    if (sizes.length < 2) continue;
    const time = (size) => fastest.get(`${prefix}/${shape}/${size}`);
    const smallest = sizes[0];
    const largest = sizes[sizes.length - 1];
    const steps = sizes.map((size) => `${size >= 1 << 20 ? `${size >> 20} MiB` : `${size >> 10} KiB`} ${format(time(size))}`);
    console.log(`growth ${shape} (${who}): ${steps.join(', ')}`);
    console.log(`    largest / smallest = ${(time(largest) / time(smallest)).toFixed(0)} for ${largest / smallest} times the size`);
  }
}
