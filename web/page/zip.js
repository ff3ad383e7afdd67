// A zip archive of files stored as they are (no compression: the tables
// and pictures are small, and a stored archive needs no library), with the
// CRC-32 of each file, as every unzip program reads it.
(function (exports) {
  'use strict';

  const CRC_TABLE = (() => {
    const table = new Uint32Array(256);
    for (let n = 0; n < 256; n++) {
      let c = n;
      for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
      table[n] = c >>> 0;
    }
    return table;
  })();

  // The CRC-32 of bytes (ISO 3309, as zip and PNG use it).
  function crc32(bytes) {
    let crc = 0xffffffff;
    for (let i = 0; i < bytes.length; i++) crc = CRC_TABLE[(crc ^ bytes[i]) & 0xff] ^ (crc >>> 8);
    return (crc ^ 0xffffffff) >>> 0;
  }

  // The date and time fields of a zip entry (MS-DOS format, local time).
  function dosTime(date) {
    return {
      time: (date.getHours() << 11) | (date.getMinutes() << 5) | (date.getSeconds() >> 1),
      day: ((date.getFullYear() - 1980) << 9) | ((date.getMonth() + 1) << 5) | date.getDate(),
    };
  }

  // The archive of files, each {name, bytes (Uint8Array)}, its names UTF-8
  // (flagged so), dated date.
  function storedZip(files, date) {
    const encoder = new TextEncoder();
    const {time, day} = dosTime(date);
    const parts = [];
    const directory = [];
    let offset = 0;
    const header = (size, fields) => {
      const bytes = new Uint8Array(size);
      const view = new DataView(bytes.buffer);
      for (const [at, width, value] of fields)
        if (width === 2) view.setUint16(at, value, true);
        else view.setUint32(at, value, true);
      return bytes;
    };
    for (const file of files) {
      const name = encoder.encode(file.name);
      const crc = crc32(file.bytes);
      const size = file.bytes.length;
      // Version 2.0, bit 11: the name is UTF-8, method 0: stored.
      const common = [[4, 2, 20], [6, 2, 0x0800], [8, 2, 0], [10, 2, time], [12, 2, day],
        [14, 4, crc], [18, 4, size], [22, 4, size], [26, 2, name.length], [28, 2, 0]];
      const local = header(30, [[0, 4, 0x04034b50], ...common]);
      parts.push(local, name, file.bytes);
      const central = header(46, [[0, 4, 0x02014b50], [4, 2, 20], [6, 2, 20], [8, 2, 0x0800], [10, 2, 0],
        [12, 2, time], [14, 2, day], [16, 4, crc], [20, 4, size], [24, 4, size], [28, 2, name.length],
        [30, 2, 0], [32, 2, 0], [34, 2, 0], [36, 2, 0], [38, 4, 0], [42, 4, offset]]);
      directory.push(central, name);
      offset += local.length + name.length + size;
    }
    const directorySize = directory.reduce((sum, part) => sum + part.length, 0);
    const end = header(22, [[0, 4, 0x06054b50], [4, 2, 0], [6, 2, 0], [8, 2, files.length],
      [10, 2, files.length], [12, 4, directorySize], [16, 4, offset], [20, 2, 0]]);
    return new Blob([...parts, ...directory, end], {type: 'application/zip'});
  }

  Object.assign(exports, {crc32, storedZip});
})(typeof module === 'object' ? module.exports : (self.BravolinZip = {}));
