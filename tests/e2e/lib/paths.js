// Where things are: the repository, the build root, the Windows build
// tree's programs the tests need, and the artifacts folder.
'use strict';
const path = require('path');

const repoRoot = path.resolve(__dirname, '../../..');
// ORVANTA_BUILD_ROOT lets parallel work keep separate trees, as for the
// build scripts.
const buildRoot = process.env.ORVANTA_BUILD_ROOT || path.join(repoRoot, 'build');
const windowsTree = path.join(buildRoot, 'windows');

module.exports = {
  repoRoot,
  buildRoot,
  // Per-machine state of the end-to-end runs: the template prefix and the
  // sessions of running tests.
  e2eRoot: path.join(buildRoot, 'e2e'),
  artifactsRoot: process.env.ORVANTA_E2E_ARTIFACTS || path.join(repoRoot, 'artifacts', 'e2e'),
  distDir: process.env.ORVANTA_DIST || path.join(repoRoot, 'dist'),
  // The Windows build tree's outputs; scripts/test.sh names them explicitly.
  probeExe: process.env.ORVANTA_PROBE_EXE || path.join(windowsTree, 'tools', 'probe', 'probe.exe'),
  sampleAppExe: process.env.ORVANTA_SAMPLE_APP_EXE
    || path.join(windowsTree, 'tests', 'e2e', 'fixtures', 'sample_app', 'sample_app.exe'),
  windowsTree,
};
