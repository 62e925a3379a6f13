// Reads every script that print_slideshow_scripts prints with node's own
// JavaScript parser, then runs its DisplayIt and checks that the address it
// gives each picture leads a browser to the file the pass named.
//   node check-slideshow-scripts.mjs PRINTER [PRINTER ARGUMENTS]...
// Exits 1 with the first failures listed; one node process for all scripts.
// With TARVINE_FUZZ_SUMMARY set, its closing line also goes to that file.

import { spawn } from 'node:child_process';
import { mkdirSync, rmSync, writeFileSync } from 'node:fs';
import { dirname, posix } from 'node:path';
import { createInterface } from 'node:readline';
import vm from 'node:vm';

const [printer, ...printerArguments] = process.argv.slice(2);
if (!printer) {
  console.error('usage: node check-slideshow-scripts.mjs PRINTER [PRINTER ARGUMENTS]...');
  process.exit(2);
}

const openTag = '<SCRIPT LANGUAGE="JavaScript">\n';
const closeTag = '</SCRIPT>\n\n';
// Where the page stands; the pictures are beside it.
const pageDirectory = '/home/me/pics/';
const pageAddress = 'file://' + pageDirectory + 'KavoViewer.html';

// %XX as the byte it stands for; bytes as characters \u0000-\u00FF.
const percentDecoded = (text) => text.replace(/%([0-9A-Fa-f]{2})/g, (_, hex) => String.fromCharCode(parseInt(hex, 16)));

// The file a browser opens for an address in the page, by the URL standard
// as node implements it; null when the address leaves the file path (a
// scheme, a host, a query or a fragment).
function fileOpenedFor(address) {
  let url;
  try {
    url = new URL(address, pageAddress);
  } catch {
    return null;
  }
  if (url.protocol !== 'file:' || url.host !== '' || url.search !== '' || url.hash !== '') return null;
  return posix.normalize(percentDecoded(url.pathname));
}

const show = (text) => JSON.stringify(text);

// Names whose address the check cannot judge, so their scripts are only
// parsed and run:
// - a name ending in a blank: the URL parser drops it, but only "jpg" and
//   "gif" runs get a page, so an extension never ends in one there;
// - a name with a "." or ".." part: the browser resolves those as the URL
//   standard says ("p//../x" is "p/x"), the file system as paths go ("x").
const judged = (name) => !name.endsWith(' ') && !name.split('/').some((part) => part === '.' || part === '..');

function problemsOf(record) {
  const { script, names } = record;
  if (!script.startsWith(openTag) || !script.endsWith(closeTag)) return ['the script element is not whole'];
  const body = script.slice(openTag.length, script.length - closeTag.length);
  // HTML ends a script element at "</script" and, once "<!--" has opened
  // its escaped text, hides the closing tag after a "<script".
  if (/<\/script|<script/i.test(body)) return ['the script element could end early: ' + show(body)];
  try {
    new vm.Script(body, { filename: record.source });
  } catch (error) {
    return ['node cannot parse it: ' + error.message];
  }
  const page = { document: { showme: {} }, setTimeout() {} };
  vm.createContext(page);
  vm.runInContext(body, page, { timeout: 1000 });
  const problems = [];
  for (const [number, name] of names.filter(([, name]) => judged(name))) {
    page.number_of_pic = number;
    vm.runInContext('DisplayIt()', page, { timeout: 1000 });
    const address = String(page.document.showme.src);
    // Names are bytes; the page's addresses are ASCII, so a byte the URL
    // parser met raw would come back as its UTF-8 form and differ.
    const opened = fileOpenedFor(address);
    const expected = posix.normalize(pageDirectory + name);
    if (opened === null || opened !== expected) {
      problems.push(`picture ${number}: the script asks for ${show(address)}, ` +
        `which opens ${show(opened)}, not ${show(expected)}`);
    }
    if (/[^\x20-\x7E]/.test(address)) problems.push(`picture ${number}: ${show(address)} is not ASCII`);
  }
  return problems;
}

const summaryFile = process.env.TARVINE_FUZZ_SUMMARY;
if (summaryFile) rmSync(summaryFile, { force: true });

const child = spawn(printer, printerArguments, { stdio: ['ignore', 'pipe', 'inherit'] });
const exited = new Promise((resolve) => child.on('close', resolve));
let checked = 0;
const failures = [];
for await (const line of createInterface({ input: child.stdout, crlfDelay: Infinity })) {
  const record = JSON.parse(line);
  ++checked;
  for (const problem of problemsOf(record)) failures.push(`${record.source}: ${problem}`);
}
const status = await exited;
if (status !== 0) {
  console.error(`${printer} exited with ${status}`);
  process.exit(1);
}
for (const failure of failures.slice(0, 20)) console.error(failure);
const closing = `slideshow scripts in node: ${checked} parsed and run, ${failures.length} problems`;
console.log(closing);
if (summaryFile) {
  mkdirSync(dirname(summaryFile), { recursive: true });
  writeFileSync(summaryFile, closing + '\n');
}
process.exit(checked > 0 && failures.length === 0 ? 0 : 1);
