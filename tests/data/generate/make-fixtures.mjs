// Writes the spreadsheet fixtures of tests/data with SheetJS (the npm package
// "xlsx"), which writes Excel 97-2003 (BIFF8) and Office Open XML workbooks.
//   cd tests/data/generate && npm install && node make-fixtures.mjs
// The outputs are committed, so building and testing never needs npm.
import XLSX from 'xlsx';
import fs from 'node:fs';
import path from 'node:path';
import iconv from 'iconv-lite';

const out = path.resolve(path.dirname(new URL(import.meta.url).pathname), '..');
const DAY_MS = 86400000;
const EPOCH = Date.UTC(1899, 11, 30);

// Cells of the logical rows: numbers, texts, date-times and serial numbers.
const num = (v) => ({ kind: 'num', v });
const txt = (v) => ({ kind: 'txt', v });
const dt = (iso, fmt = 'yyyy-mm-dd hh:mm:ss') => ({ kind: 'date', iso, fmt });
const serial = (iso) => ({ kind: 'serial', iso }); // a date-time in a General cell

function serialOf(iso) {
  const [d, t = '00:00:00'] = iso.split(' ');
  const [y, m, dd] = d.split('-').map(Number);
  const [h, mi, s] = t.split(':').map(Number);
  return (Date.UTC(y, m - 1, dd, h, mi, s) - EPOCH) / DAY_MS;
}

function sheetOf(rows) {
  const ws = {};
  let maxCol = 0;
  rows.forEach((row, r) => {
    row.forEach((cell, c) => {
      if (cell == null) return;
      const ref = XLSX.utils.encode_cell({ r, c });
      if (typeof cell === 'string') ws[ref] = { t: 's', v: cell };
      else if (cell.kind === 'num') ws[ref] = { t: 'n', v: cell.v };
      else if (cell.kind === 'txt') ws[ref] = { t: 's', v: cell.v };
      else if (cell.kind === 'date') ws[ref] = { t: 'n', v: serialOf(cell.iso), z: cell.fmt };
      else if (cell.kind === 'serial') ws[ref] = { t: 'n', v: serialOf(cell.iso) };
      maxCol = Math.max(maxCol, c);
    });
  });
  ws['!ref'] = XLSX.utils.encode_range({ s: { r: 0, c: 0 }, e: { r: rows.length - 1, c: maxCol } });
  return ws;
}

// Excel never writes a workbook stream under 4096 bytes (it would land in the
// compound file's mini stream, which FreeXL refuses); a notes sheet, as many
// exports carry, keeps ours above that size too.
const notes = Array.from({ length: 120 }, (_, i) => [`第 ${i + 1} 条：考勤机导出的打卡记录`]);

function writeBook(file, sheets, opts = {}) {
  const wb = XLSX.utils.book_new();
  for (const [name, rows] of sheets) XLSX.utils.book_append_sheet(wb, sheetOf(rows), name);
  const bookType = file.endsWith('.xlsx') ? 'xlsx' : 'biff8';
  if (bookType === 'biff8') XLSX.utils.book_append_sheet(wb, sheetOf(notes), '说明');
  XLSX.writeFile(wb, path.join(out, file), { bookType, ...opts });
}

// A csv as a time clock writes it: date-times in full, numbers as digits.
function csvText(rows, sep) {
  const field = (cell) => {
    if (cell == null) return '';
    let s = typeof cell === 'string' ? cell
      : cell.kind === 'date' || cell.kind === 'serial' ? cell.iso : String(cell.v);
    return /[",\t\n]/.test(s) ? '"' + s.replace(/"/g, '""') + '"' : s;
  };
  return rows.map((r) => r.map(field).join(sep)).join('\r\n') + '\r\n';
}

// The four columns in another order between columns the import ignores;
// numeric and text employee numbers; date cells of two formats, text
// date-times, a serial number without a date format; a repeated row, a row
// without a number, a wholly empty row, a row without a punch time, and two
// punches of one number at one second under two departments.
const titles = ['序号', '登记号码', '日期时间', '机器号', '姓名', '部门'];
const punches = [
  titles,
  [num(1), num(213), dt('2010-11-01 07:52:11'), num(1), '张三', '办公室'],
  [num(2), num(213), dt('2010-11-01 17:31:05'), num(1), '张三', '办公室'],
  [num(3), txt('0042'), txt('2010-11-01 08:03:00'), num(1), '李四', '生产部'],
  [num(4), txt('0042'), txt('2010/11/1 17:45'), num(1), '李四', '生产部'],
  [num(5), num(1007), serial('2010-11-02 07:59:59'), num(2), '赵六', '仓库'],
  [num(6), num(1007), dt('2010-11-02 18:02:30', 'yyyy/m/d h:mm'), num(2), '赵六', '仓库'],
  [num(7), num(213), dt('2010-11-01 07:52:11'), num(1), '张三', '办公室'],
  [num(8), null, dt('2010-11-02 08:10:00'), num(1), '王五', '办公室'],
  [],
  [num(10), num(213), null, num(1), '张三', '办公室'],
  [num(11), num(213), txt('2010-11-03 7:58'), num(1), '张三', '办公室'],
  [num(12), num(213), dt('2010-11-03 12:00:00'), num(1), '张三', '财务部'],
  [num(13), num(213), dt('2010-11-03 12:00:00', 'yyyy"年"m"月"d"日" hh:mm:ss'), num(1), '张三', '办公室'],
];

writeBook('2010-11.xls', [['2010-11', punches]]);
writeBook('2010-11.xlsx', [['2010-11', punches]], { bookSST: true });
fs.writeFileSync(path.join(out, '2010-11.csv'), '\uFEFF' + csvText(punches, ','));
fs.writeFileSync(path.join(out, '2010-11-gb18030.csv'), iconv.encode(csvText(punches, '\t'), 'gb18030'));

// A single sheet under the name other programs give it, strings inline.
const small = [
  ['部门', '姓名', '登记号码', '日期时间'],
  ['办公室', '张三', num(213), dt('2010-11-04 08:01:00')],
];
writeBook('any-name.xlsx', [['Sheet1', small]]);

// Two dots in the file name: the sheet is a.b, not a.
writeBook('a.b.xls', [
  ['a', [['部门', '姓名', '登记号码', '日期时间'], ['错误', '错误', num(1), dt('2010-11-05 08:00:00')]]],
  ['a.b', small],
]);

// Faults: no sheet of the file's name, no "日期时间" column, a bad date text.
writeBook('wrong-sheet.xls', [['Sheet1', small]]);
writeBook('missing-column.xls', [['missing-column', [['部门', '姓名', '登记号码', '时间'],
  ['办公室', '张三', num(213), dt('2010-11-04 08:01:00')]]]]);
writeBook('bad-date.xls', [['bad-date', [
  ['部门', '姓名', '登记号码', '日期时间'],
  ['办公室', '张三', num(213), dt('2010-11-04 08:01:00')],
  ['办公室', '张三', num(213), txt('2010-13-45 25:00')],
]]]);
fs.writeFileSync(path.join(out, 'not-a-spreadsheet.xls'), '部门,姓名,登记号码,日期时间\n这不是电子表格\n');
console.log('fixtures written to', out);
