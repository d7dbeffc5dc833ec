// Windows message numbers and dialog ids the tests pass to the probe.
'use strict';

const WM = Object.freeze({
  CLOSE: 0x0010,
  COMMAND: 0x0111,
  SYSCOMMAND: 0x0112,
  MOUSEMOVE: 0x0200,
  LBUTTONDOWN: 0x0201,
  LBUTTONUP: 0x0202,
  LBUTTONDBLCLK: 0x0203,
  RBUTTONDOWN: 0x0204,
  RBUTTONUP: 0x0205,
  USER: 0x0400,
  APP: 0x8000,
});

// What MessageBox returns, and the ids of its buttons.
const ID = Object.freeze({
  OK: 1, CANCEL: 2, ABORT: 3, RETRY: 4, IGNORE: 5, YES: 6, NO: 7, CLOSE: 8, HELP: 9,
  TRYAGAIN: 10, CONTINUE: 11,
});

const SC = Object.freeze({ MINIMIZE: 0xf020, MAXIMIZE: 0xf030, CLOSE: 0xf060, RESTORE: 0xf120 });

module.exports = { WM, ID, SC };
