// Draws the client's two 32x32 icons and writes them as .ico files (32-bit
// BGRA with alpha, plus the AND mask older shells read):
//   main.ico         a blue speech bubble with three white dots
//   new_message.ico  an orange speech bubble with a white "!" and a red badge
// Usage: node make_icons.js <output folder>
'use strict';
const fs = require('fs');
const path = require('path');

const SIZE = 32;

function canvas() {
  return new Float64Array(SIZE * SIZE * 4);  // r, g, b, a in 0..1
}

// Paints a colour where `inside(x, y)` holds, 4x4 supersampled for soft edges.
function fill(pixels, color, inside) {
  for (let y = 0; y < SIZE; ++y) {
    for (let x = 0; x < SIZE; ++x) {
      let hits = 0;
      for (let sy = 0; sy < 4; ++sy) {
        for (let sx = 0; sx < 4; ++sx) {
          if (inside(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4)) ++hits;
        }
      }
      if (hits === 0) continue;
      const a = (hits / 16) * (color[3] ?? 1);
      const i = (y * SIZE + x) * 4;
      const under = pixels[i + 3];
      const outA = a + under * (1 - a);
      for (let c = 0; c < 3; ++c) {
        pixels[i + c] = outA === 0 ? 0 : (color[c] * a + pixels[i + c] * under * (1 - a)) / outA;
      }
      pixels[i + 3] = outA;
    }
  }
}

const circle = (cx, cy, r) => (x, y) => (x - cx) ** 2 + (y - cy) ** 2 <= r * r;
const roundRect = (l, t, r, b, radius) => (x, y) => {
  if (x < l || x > r || y < t || y > b) return false;
  const cx = Math.min(Math.max(x, l + radius), r - radius);
  const cy = Math.min(Math.max(y, t + radius), b - radius);
  return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius;
};
const triangle = (ax, ay, bx, by, cx, cy) => (x, y) => {
  const side = (px, py, qx, qy) => (x - qx) * (py - qy) - (px - qx) * (y - qy);
  const d1 = side(ax, ay, bx, by), d2 = side(bx, by, cx, cy), d3 = side(cx, cy, ax, ay);
  return !((d1 < 0 || d2 < 0 || d3 < 0) && (d1 > 0 || d2 > 0 || d3 > 0));
};

function bubble(pixels, color) {
  fill(pixels, color, roundRect(2, 4, 30, 23, 6));
  fill(pixels, color, triangle(7, 21, 15, 21, 6, 29));
}

function mainIcon() {
  const pixels = canvas();
  bubble(pixels, [0.11, 0.45, 0.85]);
  for (const cx of [9.5, 16, 22.5]) fill(pixels, [1, 1, 1], circle(cx, 13.5, 2.4));
  return pixels;
}

function newMessageIcon() {
  const pixels = canvas();
  bubble(pixels, [0.96, 0.55, 0.08]);
  fill(pixels, [1, 1, 1], roundRect(14.2, 7, 17.8, 16.5, 1.5));
  fill(pixels, [1, 1, 1], circle(16, 19.8, 1.9));
  fill(pixels, [1, 1, 1], circle(26, 6, 6));
  fill(pixels, [0.86, 0.1, 0.12], circle(26, 6, 4.8));
  return pixels;
}

function ico(pixels) {
  const maskStride = 4;  // 32 bits per mask row, already a multiple of 4 bytes
  const imageSize = 40 + SIZE * SIZE * 4 + maskStride * SIZE;
  const out = Buffer.alloc(6 + 16 + imageSize);
  out.writeUInt16LE(0, 0);
  out.writeUInt16LE(1, 2);  // icon
  out.writeUInt16LE(1, 4);  // one image
  out.writeUInt8(SIZE, 6);
  out.writeUInt8(SIZE, 7);
  out.writeUInt16LE(1, 10);   // planes
  out.writeUInt16LE(32, 12);  // bits per pixel
  out.writeUInt32LE(imageSize, 14);
  out.writeUInt32LE(22, 18);
  let o = 22;
  out.writeUInt32LE(40, o);             // BITMAPINFOHEADER
  out.writeInt32LE(SIZE, o + 4);
  out.writeInt32LE(SIZE * 2, o + 8);    // colour rows + mask rows
  out.writeUInt16LE(1, o + 12);
  out.writeUInt16LE(32, o + 14);
  o += 40;
  for (let y = SIZE - 1; y >= 0; --y) {  // bottom-up rows
    for (let x = 0; x < SIZE; ++x) {
      const i = (y * SIZE + x) * 4;
      const a = pixels[i + 3];
      out.writeUInt8(Math.round(pixels[i + 2] * 255), o++);
      out.writeUInt8(Math.round(pixels[i + 1] * 255), o++);
      out.writeUInt8(Math.round(pixels[i] * 255), o++);
      out.writeUInt8(Math.round(a * 255), o++);
    }
  }
  for (let y = SIZE - 1; y >= 0; --y) {  // AND mask: 1 where transparent
    let bits = 0;
    for (let x = 0; x < SIZE; ++x) {
      if (pixels[(y * SIZE + x) * 4 + 3] < 0.5) bits |= 1 << (31 - x);
    }
    out.writeUInt32BE(bits >>> 0, o);
    o += 4;
  }
  return out;
}

const folder = process.argv[2];
fs.mkdirSync(folder, { recursive: true });
fs.writeFileSync(path.join(folder, 'main.ico'), ico(mainIcon()));
fs.writeFileSync(path.join(folder, 'new_message.ico'), ico(newMessageIcon()));
