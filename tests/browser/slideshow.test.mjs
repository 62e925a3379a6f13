// The slideshow page in a real browser. Each case writes a directory of
// small pictures named as the renumbering pass names them, writes
// KavoViewer.html into it with the project's own writer (write_viewer_page,
// passed in TARVINE_WRITE_VIEWER_PAGE), opens it from disk in Debian's
// headless Chromium and presses the page's buttons.

import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, normalize } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { deflateSync } from 'node:zlib';

import { chromium } from 'playwright-core';

const writer = process.env.TARVINE_WRITE_VIEWER_PAGE;

// A 16 x 12 picture of each kind.
const PICTURES = {
  jpg: Buffer.from(
    '/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDABALDA4MChAODQ4SERATGCgaGBYWGDEjJR0oOjM9PDkzODdASFxOQERXRTc4UG1RV19iZ2hnPk1xeXBk' +
      'eFxlZ2P/2wBDARESEhgVGC8aGi9jQjhCY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2P/wAARCAAMABAD' +
      'ASIAAhEBAxEB/8QAFgABAQEAAAAAAAAAAAAAAAAAAAIE/8QAHxAAAAUEAwAAAAAAAAAAAAAAAQIDERIABRNhBDFB/8QAFQEBAQAAAAAAAAAAAAAA' +
      'AAAABAX/xAAeEQABAwQDAAAAAAAAAAAAAAASABMhAgMUUSKB0f/aAAwDAQACEQMRAD8Amz29Hn5spjlhFoiHr61S8W9HgYcRjmnJ5CHja3WFJdZF' +
      '8Sp037iYQeiq6yzZVTqN1Iwi1UGb2Q4fDXXsoZ0NiM7X/9k=',
    'base64',
  ),
  gif: Buffer.from(
    'R0lGODlhEAAMAIAAACBgwP/QQCwAAAAAEAAMAAACbUwIMCHAhAATAgyIMCDCgAgDIgSYEGBCgAkBJkQYEGFAhAERBkwIMCHAhAATAgyIMCDCgAgD' +
      'IgSYEGBCgAkBJkQYEGFAhAERBkwIMCHAhAATAgyIMCDCgAgDIgSYEGBCgAkBJkQYEGFAhAERBgUAOw==',
    'base64',
  ),
};

PICTURES.jpeg = PICTURES.jpg; // the same pictures, as many cameras name them

// A camera-sized picture, width x height of one colour, as a PNG (the
// browser knows a picture by its bytes, whatever its name says).
function largePicture(width, height) {
  const crcTable = Array.from({ length: 256 }, (_, n) => {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    return c >>> 0;
  });
  const crc = (bytes) => {
    let c = 0xffffffff;
    for (const b of bytes) c = crcTable[(c ^ b) & 0xff] ^ (c >>> 8);
    return (c ^ 0xffffffff) >>> 0;
  };
  const chunk = (type, data) => {
    const typed = Buffer.concat([Buffer.from(type, 'latin1'), data]);
    const length = Buffer.alloc(4);
    length.writeUInt32BE(data.length);
    const sum = Buffer.alloc(4);
    sum.writeUInt32BE(crc(typed));
    return Buffer.concat([length, typed, sum]);
  };
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header.set([8, 2, 0, 0, 0], 8); // 8 bits, RGB
  const row = Buffer.alloc(1 + width * 3, 0x80);
  row[0] = 0; // no filter
  const rows = Buffer.concat(Array(height).fill(row));
  return Buffer.concat([
    Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
    chunk('IHDR', header),
    chunk('IDAT', deflateSync(rows)),
    chunk('IEND', Buffer.alloc(0)),
  ]);
}

const CHROMIUM_ARGS = [
  '--headless',
  '--no-sandbox',
  '--disable-gpu',
  '--no-first-run',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
];

const PICTURE_COUNT = 12;

// Picture numbers just below and at each power of ten up to 10^8, beyond
// the first twelve: each of them crosses one threshold of DisplayIt.
const PROBES = [];
for (let power = 10; power <= 1e8; power *= 10) PROBES.push(power - 1, power);

let context;
let page;
let scratch;
const pageErrors = [];

before(async () => {
  assert.ok(writer, 'TARVINE_WRITE_VIEWER_PAGE must name the write_viewer_page program (ctest sets it)');
  scratch = mkdtempSync(join(tmpdir(), 'tarvine-browser-'));
  context = await chromium.launchPersistentContext(mkdtempSync(join(scratch, 'profile-')), {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: CHROMIUM_ARGS,
  });
  page = context.pages()[0] ?? (await context.newPage());
  page.on('pageerror', (error) => pageErrors.push(error.message));
});

after(async () => {
  await context?.close();
  if (scratch) rmSync(scratch, { recursive: true, force: true });
});

// The name the pass gives picture n: "%s%0*ld%s.%s" with the width read
// from the digits text as atol reads it.
function passName(run, n) {
  const width = Math.max(Number.parseInt(run.digits, 10) || 0, 0);
  return `${run.prefix}${String(n).padStart(width, '0')}${run.suffix}.${run.ext}`;
}

// A fresh directory with the pictures `numbers` and the page written into it.
function preparePictures(run, numbers) {
  const dir = mkdtempSync(join(scratch, 'pics-'));
  const bytes = run.bytes ?? PICTURES[run.ext.toLowerCase()];
  for (const n of numbers) writeFileSync(join(dir, passName(run, n)), bytes);
  execFileSync(writer, [`${dir}/`, run.digits, run.prefix, run.suffix, run.ext, String(run.count), run.seconds]);
  return dir;
}

// The picture the page shows, once the browser has finished loading it.
async function shownPicture() {
  const shown = await page.evaluate(async () => {
    const picture = document.showme;
    try {
      await picture.decode();
    } catch {
      // a picture that did not load keeps naturalWidth 0
    }
    return { src: picture.src, width: picture.naturalWidth, number: number_of_pic };
  });
  return { ...shown, path: normalize(fileURLToPath(shown.src)) };
}

// Asserts that picture n of `run` is shown and was really loaded.
async function assertShows(dir, run, n, what) {
  assertIsPicture(await shownPicture(), dir, run, n, what);
}

function assertIsPicture(shown, dir, run, n, what) {
  assert.equal(shown.path, join(dir, passName(run, n)), `${what}: picture ${n} expected, page asked for ${shown.src}`);
  assert.ok(shown.width > 0, `${what}: ${shown.src} did not load`);
}

async function openPage(dir) {
  pageErrors.length = 0;
  await page.goto(pathToFileURL(join(dir, 'KavoViewer.html')).href);
}

function press(label) {
  return page.getByRole('button', { name: label, exact: true }).click();
}

function numbersUpTo(count) {
  return Array.from({ length: count }, (_, i) => i + 1);
}

for (const [digits, ext] of [
  ['0', 'jpg'],
  ['1', 'GIF'],
  ['3', 'jpg'],
  ['5', 'gif'],
  ['7', 'JPG'],
  ['8', 'jpg'],
  ['4', 'JPEG'],
]) {
  describe(`digits ${digits}`, { timeout: 60_000 }, () => {
    const run = { digits, prefix: 'trip', suffix: '_x', ext, count: PICTURE_COUNT, seconds: '1' };
    let dir;

    before(() => {
      dir = preparePictures(run, [...numbersUpTo(PICTURE_COUNT), ...PROBES]);
    });

    test('shows picture 1 on load', async () => {
      await openPage(dir);
      await assertShows(dir, run, 1, 'on load');
      assert.deepEqual(pageErrors, []);
    });

    test('Next steps through every picture and wraps from the last to picture 1', async () => {
      await openPage(dir);
      for (let n = 2; n <= PICTURE_COUNT; n++) {
        await press('Next');
        await assertShows(dir, run, n, 'Next');
      }
      await press('Next');
      await assertShows(dir, run, 1, 'Next after the last');
    });

    test('Previous shows the picture before the one shown, from picture 1 the last', async () => {
      const last = PICTURE_COUNT;
      const toTheLast = Array(last - 1).fill('Next');
      for (const [presses, expected] of [
        [['Previous'], last],
        [['Previous', 'Previous'], last - 1],
        [['Previous', 'Next'], 1],
        [[...toTheLast, 'Previous'], last - 1],
        [[...toTheLast, 'Previous', 'Next'], last],
      ]) {
        await openPage(dir);
        for (const label of presses) await press(label);
        await assertShows(dir, run, expected, presses.join(', '));
      }
      assert.deepEqual(pageErrors, []);
    });

    test('Random stays within the pictures', async () => {
      await openPage(dir);
      for (let i = 0; i < 15; i++) {
        await press('Random');
        const shown = await shownPicture();
        assert.ok(shown.number >= 1 && shown.number <= PICTURE_COUNT, `Random chose ${shown.number}`);
        assertIsPicture(shown, dir, run, shown.number, 'Random');
      }
    });

    test('Auto Sequence with one second advances by itself', async () => {
      await openPage(dir);
      const pressed = Date.now();
      await press('Auto Sequence');
      await assertShows(dir, run, 2, 'Auto Sequence at once');
      await page.waitForFunction(() => number_of_pic === 3, null, { timeout: 10_000 });
      assert.ok(Date.now() - pressed >= 900, 'the next picture came before the delay');
      // The chain goes on stepping: whichever picture it has reached must have loaded.
      const shown = await shownPicture();
      assert.ok(shown.number >= 3, `Auto Sequence went back to ${shown.number}`);
      assertIsPicture(shown, dir, run, shown.number, 'Auto Sequence after a second');
    });

    test('pictures around each power of ten get the zeros of their names', async () => {
      await openPage(dir);
      for (const n of PROBES) {
        await page.evaluate((previous) => {
          number_of_pic = previous;
        }, n - 1);
        await press('Next');
        await assertShows(dir, run, n, 'Next');
      }
      assert.deepEqual(pageErrors, []);
    });
  });
}

test('a camera-sized picture is scaled to fit the window, without scroll bars', { timeout: 60_000 }, async () => {
  const run = { digits: '3', prefix: '', suffix: '', ext: 'jpg', count: 1, seconds: '4', bytes: largePicture(4032, 3024) };
  const dir = preparePictures(run, [1]);
  await page.setViewportSize({ width: 800, height: 600 });
  try {
    await openPage(dir);
    await assertShows(dir, run, 1, 'on load');
    const fit = await page.evaluate(() => {
      const shown = document.showme.getBoundingClientRect();
      const whole = document.documentElement;
      return { width: shown.width, height: shown.height, scrollWidth: whole.scrollWidth, scrollHeight: whole.scrollHeight };
    });
    assert.ok(fit.width <= 800 && fit.height <= 600, `shown ${fit.width} x ${fit.height}`);
    assert.ok(Math.abs(fit.width / fit.height - 4032 / 3024) < 0.01, 'the proportions are kept');
    assert.ok(fit.scrollWidth <= 800 && fit.scrollHeight <= 600, `the page is ${fit.scrollWidth} x ${fit.scrollHeight}`);
  } finally {
    await page.setViewportSize({ width: 1280, height: 720 });
  }
});

describe('names with bytes of their own', { timeout: 60_000 }, () => {
  const runs = [
    { digits: '3', prefix: 'Été #1 "best" 50% ', suffix: ' ?<b>&\\ü', ext: 'jpg' },
    { digits: '0', prefix: '  Paris: ', suffix: "'s <!-- <script>", ext: 'GIF' },
    { digits: '2', prefix: '/sub ', suffix: '%41', ext: 'gif' },
  ];
  for (const fields of runs) {
    const run = { ...fields, count: 3, seconds: '4' };
    test(`prefix ${JSON.stringify(run.prefix)}, suffix ${JSON.stringify(run.suffix)}`, async () => {
      const dir = preparePictures(run, numbersUpTo(run.count));
      await openPage(dir);
      await assertShows(dir, run, 1, 'on load');
      for (const n of [2, 3, 1]) {
        await press('Next');
        await assertShows(dir, run, n, 'Next');
      }
      assert.deepEqual(pageErrors, []);
    });
  }
});
