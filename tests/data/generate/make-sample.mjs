// Writes the newcomer's sample under samples/: a month of punches of twelve
// employees on two shifts, as a time clock exports it (.xls, and the same as
// .csv). Deterministic: the same run always writes the same punches.
//   cd tests/data/generate && npm install && node make-sample.mjs
import XLSX from 'xlsx';
import fs from 'node:fs';
import path from 'node:path';

const here = path.dirname(new URL(import.meta.url).pathname);
const out = path.resolve(here, '../../../samples');
const EPOCH = Date.UTC(1899, 11, 30);

let seed = 20101101;
const random = () => ((seed = (seed * 1103515245 + 12345) % 2147483648) / 2147483648);
const between = (a, b) => a + Math.floor(random() * (b - a + 1));

// On-duty slots are odd, off-duty slots even, as the shift definitions say.
const shifts = {
  白班: ['8:00', '12:00', '13:30', '17:30'],
  中班: ['9:00', '18:00'],
};
const staff = [
  ['行政部', '张伟', 101, '白班'], ['行政部', '王芳', 102, '白班'], ['行政部', '李娜', 103, '白班'],
  ['生产部', '刘强', 201, '白班'], ['生产部', '陈静', 202, '白班'], ['生产部', '杨磊', 203, '白班'],
  ['生产部', '黄敏', 204, '白班'], ['财务部', '周洋', 301, '白班'],
  ['仓库', '吴军', 401, '中班'], ['仓库', '赵勇', 402, '中班'], ['仓库', '孙艳', 403, '中班'],
  ['仓库', '郑杰', 404, '中班'],
];

const pad = (n) => String(n).padStart(2, '0');
const iso = (ms) => {
  const d = new Date(ms);
  return `${d.getUTCFullYear()}-${pad(d.getUTCMonth() + 1)}-${pad(d.getUTCDate())} ` +
    `${pad(d.getUTCHours())}:${pad(d.getUTCMinutes())}:${pad(d.getUTCSeconds())}`;
};

const punches = [];
for (const [bm, xm, ygbh, shift] of staff) {
  for (let day = 1; day <= 30; day++) {
    const date = Date.UTC(2010, 10, day);
    const weekday = new Date(date).getUTCDay();
    if (weekday === 0 || weekday === 6) continue;
    shifts[shift].forEach((slot, i) => {
      if (random() < 0.03) return; // forgot to punch
      const [h, m] = slot.split(':').map(Number);
      const onDuty = i % 2 === 0;
      let minutes;
      if (onDuty) minutes = random() < 0.06 ? between(2, 25) : -between(1, 12); // late, or a little early
      else minutes = random() < 0.05 ? -between(3, 25) : between(0, 15);       // early leave, or a little after
      const ms = date + ((h * 60 + m + minutes) * 60 + between(0, 59)) * 1000;
      punches.push([bm, xm, ygbh, ms]);
      if (random() < 0.03) punches.push([bm, xm, ygbh, ms + between(8, 50) * 1000]); // pressed twice
    });
  }
}

const titles = ['部门', '姓名', '登记号码', '日期时间', '机器号'];
const ws = XLSX.utils.aoa_to_sheet([titles]);
punches.forEach(([bm, xm, ygbh, ms], r) => {
  const row = r + 1;
  ws[XLSX.utils.encode_cell({ r: row, c: 0 })] = { t: 's', v: bm };
  ws[XLSX.utils.encode_cell({ r: row, c: 1 })] = { t: 's', v: xm };
  ws[XLSX.utils.encode_cell({ r: row, c: 2 })] = { t: 'n', v: ygbh };
  ws[XLSX.utils.encode_cell({ r: row, c: 3 })] = { t: 'n', v: (ms - EPOCH) / 86400000, z: 'yyyy-mm-dd hh:mm:ss' };
  ws[XLSX.utils.encode_cell({ r: row, c: 4 })] = { t: 'n', v: 1 };
});
ws['!ref'] = XLSX.utils.encode_range({ s: { r: 0, c: 0 }, e: { r: punches.length, c: titles.length - 1 } });
const wb = XLSX.utils.book_new();
XLSX.utils.book_append_sheet(wb, ws, '2010-11');
fs.mkdirSync(out, { recursive: true });
XLSX.writeFile(wb, path.join(out, '2010-11.xls'), { bookType: 'biff8' });

const csv = [titles.join(','), ...punches.map(([bm, xm, ygbh, ms]) => [bm, xm, ygbh, iso(ms), 1].join(','))];
fs.writeFileSync(path.join(out, '2010-11.csv'), '\uFEFF' + csv.join('\r\n') + '\r\n');
console.log(`${punches.length} punches written to ${out}`);
