// Laying out a run folder: the program folder a test starts programs from.
'use strict';
const fs = require('fs');
const path = require('path');

// entries: paths or { from, to } objects.
//  - a folder path: its contents are copied into `destDir` (so dist/ becomes
//    the program folder itself);
//  - a file path: copied into `destDir` under its own name;
//  - { from, to }: copied to `to`, relative to `destDir` (a renamed copy, or
//    a folder placed below the run folder).
function copyFiles(entries, destDir) {
  fs.mkdirSync(destDir, { recursive: true });
  for (const entry of entries) {
    const { from, to } = typeof entry === 'string' ? { from: entry, to: null } : entry;
    if (!fs.existsSync(from)) throw new Error(`missing file for the run folder: ${from}`);
    if (fs.statSync(from).isDirectory()) {
      fs.cpSync(from, to ? path.join(destDir, to) : destDir, { recursive: true });
    } else {
      const target = path.join(destDir, to || path.basename(from));
      fs.mkdirSync(path.dirname(target), { recursive: true });
      fs.copyFileSync(from, target);
    }
  }
}

module.exports = { copyFiles };
