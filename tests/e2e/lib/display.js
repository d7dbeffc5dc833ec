// A virtual X display of the test's own (Xvfb). Numbers from 100 up are the
// harness's; people use lower ones by hand.
'use strict';
const fs = require('fs');
const path = require('path');
const { startDetached } = require('./detached');
const { sleep, withTimeout } = require('./wait');
const { SCREEN } = require('./template_prefix');

const FIRST_DISPLAY = 100;
const LAST_DISPLAY = 399;

function inUse(number) {
  return fs.existsSync(`/tmp/.X${number}-lock`) || fs.existsSync(`/tmp/.X11-unix/X${number}`);
}

// Starts Xvfb on a free number; another run may take the same number at the
// same moment, in which case Xvfb refuses (its lock file) and the next
// number is tried.
async function startDisplay(logDir) {
  // Start at a number that depends on the process, so that parallel test
  // files rarely race for the same one.
  const span = LAST_DISPLAY - FIRST_DISPLAY + 1;
  const offset = process.pid % span;
  for (let i = 0; i < span; i++) {
    const number = FIRST_DISPLAY + ((offset + i) % span);
    if (inUse(number)) continue;
    const { child, ended } = startDetached('Xvfb', [
      `:${number}`, '-screen', '0', `${SCREEN.width}x${SCREEN.height}x24`, '-nolisten', 'tcp',
    ], { env: process.env, logFile: path.join(logDir, `xvfb-${number}.log`) });
    let gone = false;
    const markGone = () => { gone = true; };
    ended.then(markGone, markGone);
    const deadline = Date.now() + 10000;
    while (!gone && Date.now() < deadline && !fs.existsSync(`/tmp/.X11-unix/X${number}`)) await sleep(50);
    if (!gone && fs.existsSync(`/tmp/.X11-unix/X${number}`)) {
      return {
        name: `:${number}`,
        async stop() {
          if (!gone) child.kill('SIGTERM');
          await withTimeout(ended, 5000);
          if (!gone) child.kill('SIGKILL');
        },
      };
    }
    if (!gone) child.kill('SIGKILL');
  }
  throw new Error('no free X display number');
}

module.exports = { startDisplay };
