// The page's settings and its address: the analysis, mode N's metrics, the
// null models, the simulations, the seed and how tables are read, as the address's hash
// holds them (#mode=N&order=yes&models=r00,r0,c0,curveball&n=999&seed=7), so that
// a link reproduces a run on the same file. The table of models describes
// the library's models; the page's list is the library's own (its
// libraryInfo().models, taken by useLibraryModels), so that a model the
// library gains is offered at once, and a line here describes it.
(function (exports) {
  'use strict';

  // The library's models, in the order of its tables, by the names
  // --models takes (until useLibraryModels puts in the library's list). group: models drawn together (the classic four
  // interleave their draws); also: another name a model is known by;
  // recommended: the models a run has by default (the textbook models a
  // paper reports, curveball for inference).
  const MODELS = [
    {name: 'Er', group: 'classic', recommended: false, keeps: 'the overall fill on average (classic)'},
    {name: 'Ce', group: 'classic', recommended: false, keeps: 'the row and column fills on average (classic)'},
    {name: 'Li', group: 'classic', recommended: false, keeps: "every row's number of presences (classic, biased draws)"},
    {name: 'Co', group: 'classic', recommended: false, keeps: "every column's number of presences (classic, biased draws)"},
    {name: 'r00', recommended: true, keeps: 'the number of presences, every cell equally likely'},
    {name: 'r0', recommended: true, keeps: "every row's number of presences, uniformly placed"},
    {name: 'c0', recommended: true, keeps: "every column's number of presences, uniformly placed"},
    {name: 'r1', recommended: false, keeps: "every row's number of presences, placed by the column totals"},
    {name: 'r2', recommended: false, keeps: "every row's number of presences, placed by the squared column totals"},
    {name: 'quasiswap', recommended: false, keeps: "every row's and every column's number of presences (independent matrices)"},
    {name: 'curveball', also: 'FF', recommended: true, keeps: "every row's and every column's number of presences (fixed-fixed)"},
    {name: 'r2dtable', modeN: true, recommended: false, keeps: "every row's and every column's sum of counts (mode N, a table's whole counts)"},
    {name: 'abundance_shuffle', modeN: true, recommended: false, keeps: "every row's and every column's number of presences and every row's abundances (mode N)"},
  ];

  // Mode N's metrics, by the names --metrics takes, in the library's
  // order: nodf is always measured; wnodf measures a table's abundances.
  const METRICS = [
    {name: 'nodf', what: 'NODF of rows, columns and in total (always)'},
    {name: 'wnodf', what: "weighted NODF of a table's abundances (higher is more nested)"},
    {name: 'nodfc', what: 'NODFc and NODF / NODFmax, normalised for size and fill (higher is more nested)'},
    {name: 'discrepancy', what: "Brualdi and Sanderson's discrepancy (lower is more nested)"},
    {name: 'checker', what: 'checkerboard units and the C-score (lower is more nested)'},
    {name: 'n0', what: "Patterson and Atmar's N0, missing species (lower is more nested)"},
    {name: 'spectral', what: 'spectral radius of the bipartite network (higher is more nested)'},
  ];

  const MOST_SIMULATIONS = 100000;
  const MOST_SEED = 4294967295;

  function defaults() {
    return {
      mode: 'T', order: true, metrics: ['nodf'], wbinary: false,
      models: MODELS.filter((model) => model.recommended).map((model) => model.name),
      simulations: 999, seed: null, seedPerFile: false,
      transpose: false, header: 'auto', rowNames: 'auto',
    };
  }

  // Makes the library's models, names in its order, the page's list, each
  // with its line of the table or, for a model the table does not
  // describe, its name alone; answers whether the list changed.
  function useLibraryModels(names) {
    const described = MODELS.splice(0);
    for (const name of names)
      MODELS.push(described.find((model) => model.name === name) || {name, recommended: false, keeps: null});
    return MODELS.length !== described.length || MODELS.some((model, index) => model !== described[index]);
  }

  function modelNamed(name) {
    const lower = name.toLowerCase();
    return MODELS.find((model) => model.name.toLowerCase() === lower || (model.also || '').toLowerCase() === lower);
  }

  // The models drawn when these are chosen, in the table's order: a group
  // whole when any of it is.
  function drawnModels(names) {
    const chosen = names.map(modelNamed).filter(Boolean);
    const groups = new Set(chosen.filter((model) => model.group).map((model) => model.group));
    return MODELS.filter((model) => chosen.includes(model) || groups.has(model.group)).map((model) => model.name);
  }

  // The metrics when these are chosen: nodf and those named, in the
  // library's order.
  function chosenMetrics(names) {
    return METRICS.filter((metric) => metric.name === 'nodf' || names.includes(metric.name)).map((metric) => metric.name);
  }

  function wholeNumber(text, most) {
    if (!/^\d+$/.test(text)) return null;
    const value = Number(text);
    return value <= most ? value : null;
  }

  // The settings an address's hash gives, over the defaults, and a
  // sentence for every part of it the page could not take.
  function parseHash(hash) {
    const settings = defaults();
    const problems = [];
    const parts = new URLSearchParams(hash.replace(/^#/, ''));
    const yesNo = (key, apply) => {
      if (!parts.has(key)) return;
      const value = parts.get(key);
      if (value === 'yes' || value === 'no') apply(value === 'yes');
      else problems.push(`${key}=${value}: takes yes or no`);
    };
    if (parts.has('mode')) {
      const mode = parts.get('mode').toUpperCase();
      if (mode === 'T' || mode === 'N') settings.mode = mode;
      else problems.push(`mode=${parts.get('mode')}: takes T (temperature) or N (NODF)`);
    }
    yesNo('order', (value) => { settings.order = value; });
    if (parts.has('models')) {
      const names = parts.get('models').split(',').filter((name) => name !== '');
      const unknown = names.filter((name) => !modelNamed(name));
      if (unknown.length > 0)
        problems.push(`models: no model ${unknown.join(', ')}; the models are ${MODELS.map((model) => model.name).join(', ')}`);
      settings.models = drawnModels(names);
    }
    if (parts.has('n')) {
      const simulations = wholeNumber(parts.get('n'), MOST_SIMULATIONS);
      if (simulations === null) problems.push(`n=${parts.get('n')}: takes a number of simulations from 0 to ${MOST_SIMULATIONS}`);
      else settings.simulations = simulations;
    }
    if (parts.has('seed')) {
      const seed = wholeNumber(parts.get('seed'), MOST_SEED);
      if (seed === null) problems.push(`seed=${parts.get('seed')}: takes a number from 0 to ${MOST_SEED}`);
      else settings.seed = seed;
    }
    if (parts.has('metrics')) {
      const names = parts.get('metrics').split(',').filter((name) => name !== '').map((name) => name.toLowerCase());
      const known = METRICS.map((metric) => metric.name);
      const unknown = names.filter((name) => name !== 'all' && !known.includes(name));
      if (unknown.length > 0) problems.push(`metrics: no metric ${unknown.join(', ')}; the metrics are ${known.join(', ')} (or all)`);
      settings.metrics = chosenMetrics(names.includes('all') ? known : names);
    }
    yesNo('wbinary', (value) => { settings.wbinary = value; });
    yesNo('seed_per_file', (value) => { settings.seedPerFile = value; });
    yesNo('transpose', (value) => { settings.transpose = value; });
    for (const [key, field] of [['header', 'header'], ['row_names', 'rowNames']])
      yesNo(key, (value) => { settings[field] = value ? 'yes' : 'no'; });
    return {settings, problems};
  }

  function nullModels(settings) {
    return settings.simulations > 0 && settings.models.length > 0;
  }

  // The models a run of settings draws: none without null models, and in
  // mode T none of the models of abundances (modeN), which draw a table's
  // counts for mode N's metrics.
  function runModels(settings) {
    if (!nullModels(settings)) return [];
    return settings.models.filter((name) => settings.mode === 'N' || !(modelNamed(name) || {}).modeN);
  }

  // The hash of the settings: each part only where it applies.
  function hashOf(settings) {
    const parts = [`mode=${settings.mode}`];
    if (settings.mode === 'N') parts.push(`order=${settings.order ? 'yes' : 'no'}`);
    parts.push(`models=${settings.models.join(',')}`, `n=${settings.simulations}`);
    if (settings.seed !== null) parts.push(`seed=${settings.seed}`);
    if (settings.mode === 'N' && settings.metrics.length > 1) parts.push(`metrics=${settings.metrics.join(',')}`);
    if (settings.mode === 'N' && settings.wbinary && settings.metrics.includes('wnodf')) parts.push('wbinary=yes');
    if (settings.seedPerFile && nullModels(settings)) parts.push('seed_per_file=yes');
    if (settings.transpose) parts.push('transpose=yes');
    if (settings.header !== 'auto') parts.push(`header=${settings.header}`);
    if (settings.rowNames !== 'auto') parts.push(`row_names=${settings.rowNames}`);
    return '#' + parts.join('&');
  }

  // The metrics a run of settings measures, as the library takes them:
  // none in mode T, and wbinary only with wnodf.
  function runMetrics(settings) {
    const metrics = settings.mode === 'N' ? settings.metrics : [];
    return {metrics, wbinary: settings.wbinary && metrics.includes('wnodf')};
  }

  Object.assign(exports, {MODELS, METRICS, MOST_SIMULATIONS, MOST_SEED, defaults, drawnModels, chosenMetrics, parseHash,
    hashOf, nullModels, runMetrics, runModels, useLibraryModels, wholeNumber});
})(typeof module === 'object' ? module.exports : (self.BravolinSettings = {}));
