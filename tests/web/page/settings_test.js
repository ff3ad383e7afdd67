// The page's address: the settings a hash gives, the hash the settings
// write (each part only where it applies), and the parts it refuses.
'use strict';
const {test} = require('node:test');
const assert = require('node:assert');
const {MODELS, METRICS, parseHash, hashOf, runModels, useLibraryModels} = require('../../../web/page/settings.js');

test('a hash the page writes gives back its settings', () => {
  for (const hash of [
    '#mode=T&models=r00,r0,c0,curveball&n=999',
    '#mode=N&order=no&models=Er,Ce,Li,Co,quasiswap,curveball&n=99&seed=7&seed_per_file=yes',
    '#mode=N&order=yes&models=&n=0&seed=4294967295&transpose=yes&header=no&row_names=yes',
    '#mode=N&order=yes&models=r00,r0,c0,curveball&n=99&seed=7&metrics=nodf,wnodf,nodfc,discrepancy,checker,n0,spectral&wbinary=yes',
    '#mode=N&order=no&models=r00,r0,c0,curveball&n=999&metrics=nodf,nodfc',
  ]) {
    const {settings, problems} = parseHash(hash);
    assert.deepStrictEqual(problems, [], hash);
    assert.strictEqual(hashOf(settings), hash);
  }
});

test('models are matched ignoring case, FF as curveball, in the tables\' order and drawn with their group', () => {
  assert.deepStrictEqual(parseHash('#models=er').settings.models, ['Er', 'Ce', 'Li', 'Co']);
  assert.deepStrictEqual(parseHash('#models=ff,C0,R00').settings.models, ['r00', 'c0', 'curveball']);
  assert.deepStrictEqual(parseHash('#models=co,r1').settings.models, ['Er', 'Ce', 'Li', 'Co', 'r1']);
  // The models of abundances run in mode N only; no model runs without simulations.
  assert.deepStrictEqual(runModels(parseHash('#mode=T&models=r0,r2dtable,abundance_shuffle').settings), ['r0']);
  assert.deepStrictEqual(runModels(parseHash('#mode=N&models=r0,r2dtable').settings), ['r0', 'r2dtable']);
  assert.deepStrictEqual(runModels(parseHash('#mode=N&models=r0&n=0').settings), []);
});

test('parts that do not apply are left out of the hash', () => {
  const {settings} = parseHash('#mode=T&order=no&n=0&seed_per_file=yes&metrics=all&wbinary=yes');
  assert.strictEqual(hashOf(settings), '#mode=T&models=r00,r0,c0,curveball&n=0');
  // Metrics are matched ignoring case, all for every one, nodf always in;
  // wbinary goes with wnodf.
  assert.deepStrictEqual(parseHash('#metrics=N0,all').settings.metrics, METRICS.map((metric) => metric.name));
  assert.strictEqual(hashOf(parseHash('#mode=N&metrics=spectral&wbinary=yes').settings),
    '#mode=N&order=yes&models=r00,r0,c0,curveball&n=999&metrics=nodf,spectral');
});

test('a part the page cannot take is said, and the default kept', () => {
  const {settings, problems} = parseHash('#mode=X&n=100001&seed=-1&models=Er,r9&metrics=nodf,wnod&header=maybe');
  assert.deepStrictEqual(problems, [
    'mode=X: takes T (temperature) or N (NODF)',
    'models: no model r9; the models are Er, Ce, Li, Co, r00, r0, c0, r1, r2, quasiswap, curveball, r2dtable, abundance_shuffle',
    'n=100001: takes a number of simulations from 0 to 100000',
    'seed=-1: takes a number from 0 to 4294967295',
    'metrics: no metric wnod; the metrics are nodf, wnodf, nodfc, discrepancy, checker, n0, spectral (or all)',
    'header=maybe: takes yes or no',
  ]);
  assert.strictEqual(settings.mode, 'T');
  assert.strictEqual(settings.simulations, 999);
  assert.strictEqual(settings.seed, null);
});

test("the library's models are the page's: one the table does not describe is offered by its name", () => {
  const described = MODELS.map((model) => model.name);
  assert.strictEqual(useLibraryModels(described), false);
  assert.strictEqual(useLibraryModels([...described, 'newmodel']), true);
  assert.deepStrictEqual(parseHash('#models=NewModel,r0').settings.models, ['r0', 'newmodel']);
  assert.strictEqual(MODELS.at(-1).keeps, null);
  useLibraryModels(described);
});
