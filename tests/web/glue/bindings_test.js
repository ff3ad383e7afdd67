// The library compiled to WebAssembly, run as the page runs it (the glue
// under web/page/batch.js), against the console program on the examples:
// for the same files, settings and seed, the same result tables byte for
// byte (dated as the console dated its own), the same pictures, result
// lines, SYSTEMP.TXT lines and file seeds. Needs BRAVOLIN_PROGRAM (the console program) and
// BRAVOLIN_WEB_MODULE (the built bravolin_web.js): make test-web sets both.
'use strict';
const {test} = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {spawnSync} = require('node:child_process');
const {runBatch} = require('../../../web/page/batch.js');

const program = path.resolve(process.env.BRAVOLIN_PROGRAM || 'build/bravolin');
const modulePath = path.resolve(process.env.BRAVOLIN_WEB_MODULE || 'build-web/web/bravolin_web.js');
const examples = path.join(__dirname, '../../../examples');
const CLASSIC = ['Er', 'Ce', 'Li', 'Co'];
const TABLES = {results: 'results', rows: 'rows', columns: 'columns', nullValues: 'null_values'};

// A 20 x 25 matrix file of 0s and 1s without blanks, so that the page reads
// it as a matrix file, not as a table.
function generatedMatrix() {
  let state = 12345;
  const lines = [];
  for (let i = 0; i < 20; i++) {
    let line = '';
    for (let j = 0; j < 25; j++) {
      state = (state * 1103515245 + 12345) % 2147483648;
      line += state / 2147483648 < 0.45 - i * 0.015 ? '1' : '0';
    }
    lines.push(line);
  }
  return lines.join('\n') + '\n';
}

function inputs(names) {
  return names.map((name) => ({
    name,
    bytes: new Uint8Array(name === 'generated.txt' ? Buffer.from(generatedMatrix()) : fs.readFileSync(path.join(examples, name))),
  }));
}

function consoleRun(files, args, mode) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'bravolin-web-'));
  for (const file of files) fs.writeFileSync(path.join(folder, file.name), file.bytes);
  const run = spawnSync(program, [...args, '-q', ...files.map((file) => file.name)], {cwd: folder, encoding: 'utf8'});
  const read = (name) => (fs.existsSync(path.join(folder, name)) ? fs.readFileSync(path.join(folder, name)) : null);
  const tables = {};
  for (const [field, table] of Object.entries(TABLES)) tables[field] = read(`BRAVOLIN_${mode}_${table}.csv`);
  const [header, first] = tables.results.toString().split('\n');
  const date = first.split(',')[header.split(',').indexOf('date')];
  const pictures = fs.readdirSync(folder).filter((name) => name.endsWith('.svg')).sort();
  return {stdout: run.stdout, tables, read, date, pictures};
}

function pageRun(library, files, settings) {
  const finished = [];
  runBatch(library, files, settings, (message) => {
    if (message.type === 'failed') throw new Error(message.message);
    if (message.type === 'finished') finished.push(message.result);
  });
  const headers = library.tableHeaders(settings);
  const tables = {};
  for (const field of Object.keys(TABLES))
    tables[field] = Buffer.concat([headers[field], ...finished.map((result) => result.tables[field])]);
  return {finished, tables};
}

const CASES = [
  {name: 'tables in mode N, ordered', files: ['islands.csv', 'species.txt'],
    args: ['-m', 'N', '--order', '--no-print', '-n', '99', '-s', '7', '--table'],
    settings: {mode: 'N', order: true, simulations: 99, models: CLASSIC, seed: 7}},
  {name: 'matrix files in mode T, one generator through the batch, FF', files: ['random.txt', 'generated.txt'],
    args: ['-m', 'T', '--no-print', '-n', '99', '-s', '7', '--fixed-fixed'],
    settings: {mode: 'T', simulations: 99, models: [...CLASSIC, 'FF'], seed: 7}},
  {name: 'matrix files in mode N, unordered, a seed per file', files: ['generated.txt', 'random.txt'],
    args: ['-m', 'N', '--no-order', '--no-print', '-n', '50', '-s', '11', '--seed-per-file'],
    settings: {mode: 'N', order: false, simulations: 50, models: CLASSIC, seed: 11, seedPerFile: true}},
  {name: 'tables in mode N against the textbook models, without the classic files', files: ['islands.csv', 'species.txt'],
    args: ['-m', 'N', '--order', '--no-print', '-n', '49', '-s', '5', '--table', '--models', 'r00,r0,c0,quasiswap,curveball'],
    settings: {mode: 'N', order: true, simulations: 49, models: ['r00', 'r0', 'c0', 'quasiswap', 'curveball'], seed: 5}},
  {name: 'every metric of tables with abundances, under classic, textbook and abundance models', files: ['islands.csv', 'species.txt'],
    args: ['-m', 'N', '--order', '--no-print', '-n', '49', '-s', '7', '--table', '--metrics', 'all', '--models',
      'Er,Ce,Li,Co,r0,curveball,r2dtable,abundance_shuffle'],
    settings: {mode: 'N', order: true, simulations: 49, models: [...CLASSIC, 'r0', 'curveball', 'r2dtable', 'abundance_shuffle'],
      seed: 7, metrics: ['all']}},
  {name: "wnodf's wbinary variant of tables, a binary model beside those of abundances", files: ['islands.csv', 'species.txt'],
    args: ['-m', 'N', '--no-order', '--no-print', '-n', '30', '-s', '9', '--table', '--metrics', 'wnodf', '--wbinary',
      '--models', 'r00,r2dtable,abundance_shuffle'],
    settings: {mode: 'N', order: false, simulations: 30, models: ['r00', 'r2dtable', 'abundance_shuffle'], seed: 9,
      metrics: ['wnodf'], wbinary: true}},
  {name: 'the models of abundances on matrix files, with nodfc and the spectral radius', files: ['random.txt', 'generated.txt'],
    args: ['-m', 'N', '--order', '--no-print', '-n', '20', '-s', '3', '--metrics', 'nodfc,spectral', '--models', 'r0,r2dtable,abundance_shuffle'],
    settings: {mode: 'N', order: true, simulations: 20, models: ['r0', 'r2dtable', 'abundance_shuffle'], seed: 3,
      metrics: ['nodfc', 'spectral']}},
  {name: 'a transposed table in mode T without null models', files: ['islands.csv'],
    args: ['-m', 'T', '--no-print', '--no-null', '-s', '3', '--table', '--transpose'],
    settings: {mode: 'T', simulations: 0, models: [], seed: 3, transpose: true}},
];

const library = require(modulePath)();

for (const example of CASES) {
  test(`the page gives the console program's values: ${example.name}`, async () => {
    const files = inputs(example.files);
    const given = consoleRun(files, [...example.args, '--results', '--svg'], example.settings.mode);
    const settings = Object.assign({order: false, seedPerFile: false, transpose: false, header: 'auto', rowNames: 'auto',
      metrics: [], wbinary: false},
      example.settings, {date: given.date});
    const page = pageRun(await library, files, settings);
    for (const field of Object.keys(TABLES))
      if (given.tables[field] !== null) assert.strictEqual(page.tables[field].toString(), given.tables[field].toString(), field);
    const consoleLines = (start) => given.stdout.split('\n').filter((line) => line.startsWith(start));
    assert.deepStrictEqual(page.finished.flatMap((result) => result.resultLine.trim().split('\n')), consoleLines('Result:'));
    const notes = given.stdout.split('\n').filter((line) => /^(Metrics|Models): /.test(line));
    assert.deepStrictEqual(page.finished.flatMap((result) => result.notes.split('\n').filter(Boolean)), notes);
    const seeds = given.stdout.split('\n').filter((line) => line.startsWith('Seed: ')).slice(1);
    const fileSeeds = page.finished.filter((result) => result.fileSeed !== null).map((result) => `Seed: ${result.fileSeed}`);
    assert.deepStrictEqual(fileSeeds, seeds);
    // Mode T writes the header line of SYSTEMP.TXT before every line, mode
    // N once before a batch's lines.
    const summary = example.settings.mode === 'T'
      ? page.finished.map((result) => result.summaryHeader + result.summaryLine).join('')
      : page.finished[0].summaryHeader + page.finished.map((result) => result.summaryLine).join('');
    assert.strictEqual(summary, given.read('SYSTEMP.TXT').toString());
    // The statistics of the tables reach the page, a chain's only for the
    // chains, and the line of SYSTEMP.TXT holds the classic four's.
    const classic = CLASSIC.every((name) => example.settings.models.includes(name)) && example.settings.simulations > 0;
    for (const result of page.finished) {
      assert.strictEqual(result.classicModels, classic);
      // (A further metric's are NA where it is undefined: nodfc under Er.)
      for (const statistic of result.statistics.filter((statistic) => statistic.singlePrecision))
        for (const model of statistic.models) {
          assert.strictEqual(typeof model.pTwoSided, 'number', model.model);
          assert.strictEqual(typeof model.q500, 'number', model.model);
          if (!['curveball', 'abundance_shuffle'].includes(model.model)) assert.strictEqual(model.ess, null, model.model);
        }
    }
    assert.deepStrictEqual(page.finished.flatMap((result) => result.pictures.map((picture) => picture.name)).sort(),
      given.pictures);
    for (const result of page.finished)
      for (const picture of result.pictures)
        assert.ok(Buffer.from(picture.svg).equals(given.read(picture.name)), picture.name);
  });
}

test('what the page refuses: an unknown model or metric, the models of abundances in mode T, wnodf of a matrix file', async () => {
  const run = new (await library).PageRun();
  const analyse = (mode, models, metrics) => run.analyseFile('a.txt', new Uint8Array(Buffer.from('110\n100\n')),
    {mode, order: false, simulations: 5, models, metrics, wbinary: false, seed: 1, seedPerFile: false,
      generatorState: 1, transpose: false, header: 'auto', rowNames: 'auto', date: ''}, () => {});
  assert.strictEqual(analyse('N', ['Er', 'XY'], []).error, 'unknown null model "XY"; the models are Er, Ce, Li, Co, ' +
    'r00, r0, c0, r1, r2, quasiswap, curveball (or FF), r2dtable, abundance_shuffle');
  assert.match(analyse('N', ['Er'], ['nodf', 'wnodff']).error, /wnodff.*nodf, wnodf, nodfc, discrepancy, checker, n0, spectral/);
  assert.match(analyse('T', ['r0', 'r2dtable'], []).error, /temperature is of presences: choose them in mode N/);
  const matrixFile = analyse('N', ['r0'], ['wnodf', 'n0']);
  assert.strictEqual(matrixFile.status, 'skipped');
  assert.match(matrixFile.read.messages, /^File: a\.txt skipped: wnodf weighs abundances, which a matrix file of 0s and 1s does not hold/);
  run.delete();
});

test("a batch's files come in the console program's order: names compared ignoring case", async () => {
  assert.deepStrictEqual((await library).batchOrder(['b.txt', 'a.txt', 'A.txt', 'C.csv']), [2, 1, 0, 3]);
});
