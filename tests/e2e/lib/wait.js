// Waiting for something to become true, with a generous time-out. Used for
// windows to appear and effects to show; never to measure speed.
'use strict';

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Calls `probe` (sync or async) until it returns a truthy value, which is
// returned. Exceptions count as "not yet". On time-out throws an Error that
// names `what` and the last value or exception seen.
async function waitFor(probe, { timeout = 20000, interval = 200, what = 'condition' } = {}) {
  const deadline = Date.now() + timeout;
  let last;
  for (;;) {
    try {
      const value = await probe();
      if (value) return value;
      last = { value };
    } catch (error) {
      last = { error };
    }
    if (Date.now() >= deadline) {
      const seen = last.error ? `last error: ${last.error.message}`
        : `last value: ${JSON.stringify(last.value)}`;
      throw new Error(`timed out after ${timeout} ms waiting for ${what} (${seen})`);
    }
    await sleep(interval);
  }
}

// The promise's value, or `undefined` when it takes longer than `ms`. The
// timer is cleared either way, so that it never keeps the test process alive.
async function withTimeout(promise, ms) {
  let timer;
  const expired = new Promise((resolve) => { timer = setTimeout(resolve, ms); });
  try {
    return await Promise.race([promise, expired]);
  } finally {
    clearTimeout(timer);
  }
}

module.exports = { waitFor, sleep, withTimeout };
