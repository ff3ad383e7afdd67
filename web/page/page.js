// The page: files in (chosen, dropped or pasted), the settings, the run in
// a Web Worker, and each file's results, pictures and downloads. It is a
// front end like the console program: every value, table and picture comes
// from the library (web/glue), which reads the files as --table reads them
// and matrix files as the mode's matrix reader does.
/* global createBravolin, BravolinSettings, BravolinZip */
'use strict';

(function () {
  const {MODELS, METRICS, parseHash, hashOf, drawnModels, chosenMetrics, runMetrics, runModels, useLibraryModels, wholeNumber,
    MOST_SEED} = BravolinSettings;
  const element = (id) => document.getElementById(id);

  const page = {
    library: null,
    settings: null,
    files: [],         // {name, bytes, read}, in batch order
    worker: null,
    run: null,         // the run under way or last run
  };

  // ---- Small helpers -------------------------------------------------------

  function make(tag, properties, children) {
    const node = document.createElement(tag);
    Object.assign(node, properties || {});
    for (const child of children || []) node.append(child);
    return node;
  }

  function formatNumber(value, digits) {
    return value === null || value === undefined ? 'NA' : value.toFixed(digits);
  }

  // A P value as the result line prints it: three significant digits.
  function formatP(value) {
    return value === null || value === undefined ? 'NA' : String(Number(value.toPrecision(3)));
  }

  function formatSeconds(ms) {
    if (ms < 10000) return `${(Math.max(0, ms) / 1000).toFixed(1)} s`;
    const seconds = Math.round(ms / 1000);
    return seconds < 60 ? `${seconds} s` : `${Math.floor(seconds / 60)} min ${seconds % 60} s`;
  }

  // The run's start as the result tables date it: ISO 8601 local time with
  // its offset, 2026-03-01T13:00:00+01:00.
  function isoLocalTime(date) {
    const two = (n) => String(n).padStart(2, '0');
    const offset = -date.getTimezoneOffset();
    const sign = offset >= 0 ? '+' : '-';
    return `${date.getFullYear()}-${two(date.getMonth() + 1)}-${two(date.getDate())}T${two(date.getHours())}:` +
      `${two(date.getMinutes())}:${two(date.getSeconds())}${sign}${two(Math.floor(Math.abs(offset) / 60))}:${two(Math.abs(offset) % 60)}`;
  }

  // The object URLs of the last run's pictures and downloads, let go when
  // the next run starts.
  const objectUrls = [];

  function objectUrl(blob) {
    const url = URL.createObjectURL(blob);
    objectUrls.push(url);
    return url;
  }

  function downloadLink(name, blob) {
    return make('a', {className: 'button', href: objectUrl(blob), download: name, textContent: name});
  }

  // ---- Settings and the address ------------------------------------------

  function showProblems(problems) {
    const box = element('settings-problems');
    box.hidden = problems.length === 0;
    box.textContent = problems.length === 0 ? '' : 'The address holds settings the page cannot take: ' + problems.join('; ') + '.';
  }

  function buildModelControls() {
    const box = element('models');
    box.replaceChildren(make('legend', {textContent: 'Null models'}));
    for (const model of MODELS) {
      const id = 'model-' + model.name;
      const input = make('input', {type: 'checkbox', id, value: model.name});
      input.addEventListener('change', () => {
        const chosen = modelInputs().filter((box) => box.checked).map((box) => box.value);
        // A group is drawn whole; unticking one of it unticks its models.
        const group = model.group;
        let names = chosen;
        if (!input.checked && group)
          names = chosen.filter((name) => MODELS.find((entry) => entry.name === name).group !== group);
        page.settings.models = drawnModels(names);
        showSettings();
        settingsChanged();
      });
      const label = make('label', {htmlFor: id, textContent: model.keeps ? `${model.name}: keeps ${model.keeps}` : model.name});
      box.append(make('div', {className: 'row'}, [input, label]));
    }
    box.append(make('p', {className: 'note', textContent: 'Er, Ce, Li and Co, the classic models, draw together. ' +
      'Co (the letter O, classic) and c0 (zero, textbook) are different models; curveball was FF.'}));
  }

  // A box per metric, nodf ticked for good, and wnodf's wbinary variant
  // beside wnodf, shown when it is ticked.
  function buildMetricControls() {
    const box = element('metrics');
    for (const metric of METRICS) {
      const id = 'metric-' + metric.name;
      const input = make('input', {type: 'checkbox', id, value: metric.name});
      input.addEventListener('change', settingsChanged);
      box.append(make('div', {className: 'row'}, [input, make('label', {htmlFor: id, textContent: `${metric.name}: ${metric.what}`})]));
      if (metric.name === 'wnodf') {
        const wbinary = make('input', {type: 'checkbox', id: 'wbinary'});
        wbinary.addEventListener('change', settingsChanged);
        box.append(make('div', {className: 'row indent', id: 'wbinary-row'}, [wbinary,
          make('label', {htmlFor: 'wbinary', textContent: 'wbinary: an equal abundance counts as smaller (--wbinary)'})]));
      }
    }
    box.append(make('p', {className: 'note', textContent: 'wnodf weighs the abundances of a table (a matrix file of 0s ' +
      'and 1s is skipped with it); it has null values under the models of abundances alone, r2dtable and abundance_shuffle.'}));
  }

  function metricInputs() {
    return METRICS.map((metric) => element('metric-' + metric.name));
  }

  // The metric boxes and the models of abundances apply in mode N; wbinary
  // shows with wnodf.
  function showMetricControls() {
    const settings = page.settings;
    for (const input of metricInputs()) input.disabled = settings.mode !== 'N' || input.value === 'nodf';
    for (const model of MODELS.filter((entry) => entry.modeN))
      element('model-' + model.name).disabled = settings.mode !== 'N';
    element('wbinary').disabled = settings.mode !== 'N';
    element('wbinary-row').hidden = !settings.metrics.includes('wnodf');
  }

  function modelInputs() {
    return MODELS.map((model) => element('model-' + model.name));
  }

  // Puts the settings into the controls.
  function showSettings() {
    const settings = page.settings;
    element('mode-t').checked = settings.mode === 'T';
    element('mode-n').checked = settings.mode === 'N';
    element('order').checked = settings.order;
    element('order').disabled = settings.mode !== 'N';
    for (const input of metricInputs()) input.checked = settings.metrics.includes(input.value);
    element('wbinary').checked = settings.wbinary;
    showMetricControls();
    for (const input of modelInputs()) input.checked = settings.models.includes(input.value);
    element('simulations').value = String(settings.simulations);
    element('seed').value = settings.seed === null ? '' : String(settings.seed);
    element('seed-per-file').checked = settings.seedPerFile;
    element('transpose').checked = settings.transpose;
    element('header').value = settings.header;
    element('row-names').value = settings.rowNames;
  }

  // Takes the settings from the controls; a number out of range is said.
  function readSettings() {
    const settings = page.settings;
    const problems = [];
    settings.mode = element('mode-n').checked ? 'N' : 'T';
    settings.order = element('order').checked;
    settings.metrics = chosenMetrics(metricInputs().filter((input) => input.checked).map((input) => input.value));
    settings.wbinary = element('wbinary').checked;
    const simulations = wholeNumber(element('simulations').value.trim(), BravolinSettings.MOST_SIMULATIONS);
    if (simulations === null) problems.push(`Simulations: a number from 0 to ${BravolinSettings.MOST_SIMULATIONS}`);
    else settings.simulations = simulations;
    const seedText = element('seed').value.trim();
    const seed = seedText === '' ? null : wholeNumber(seedText, MOST_SEED);
    if (seedText !== '' && seed === null) problems.push(`Seed: a number from 0 to ${MOST_SEED}, or empty`);
    else settings.seed = seed;
    settings.seedPerFile = element('seed-per-file').checked;
    settings.transpose = element('transpose').checked;
    settings.header = element('header').value;
    settings.rowNames = element('row-names').value;
    const box = element('settings-problems');
    box.hidden = problems.length === 0;
    box.textContent = problems.join('; ');
    return problems.length === 0;
  }

  function writeHash() {
    const hash = hashOf(page.settings);
    if (location.hash !== hash) history.replaceState(null, '', hash);
  }

  function settingsChanged() {
    if (readSettings()) writeHash();
    element('order').disabled = page.settings.mode !== 'N';
    showMetricControls();
    readFiles();
  }

  function takeHash() {
    const {settings, problems} = parseHash(location.hash);
    page.settings = settings;
    showSettings();
    showProblems(problems);
    readFiles();
  }

  // ---- Files ---------------------------------------------------------------

  function layoutRequest() {
    const settings = page.settings;
    return Object.assign({mode: settings.mode, transpose: settings.transpose, header: settings.header,
      rowNames: settings.rowNames, models: runModels(settings)}, runMetrics(settings));
  }

  // Reads every file as the run will, to show what the reader decided.
  function readFiles() {
    if (!page.library) return;
    for (const file of page.files) file.read = page.library.readFile(file.name, file.bytes, layoutRequest());
    showFiles();
  }

  function sortFiles() {
    const order = page.library.batchOrder(page.files.map((file) => file.name));
    page.files = order.map((index) => page.files[index]);
  }

  function addFile(name, bytes) {
    page.files = page.files.filter((file) => file.name !== name);
    page.files.push({name, bytes, read: page.library.readFile(name, bytes, layoutRequest())});
    sortFiles();
  }

  async function addFiles(fileList) {
    // Copied first: the input's list empties when the input is reset.
    const files = Array.from(fileList);
    const contents = await Promise.all(files.map((file) => file.arrayBuffer()));
    files.forEach((file, index) => addFile(file.name, new Uint8Array(contents[index])));
    showFiles();
  }

  function readDescription(read) {
    if (read.error !== undefined) return read.error;
    if (read.outcome !== 'read') return read.messages.trim();
    const size = `${read.rows} x ${read.columns}`;
    const text = read.table ? read.announcement.trim() : `Matrix file of 0s and 1s: ${size}.`;
    return read.messages ? `${text}\n${read.messages.trim()}` : text;
  }

  function showFiles() {
    const body = element('file-table').tBodies[0];
    body.replaceChildren();
    for (const file of page.files) {
      const read = file.read;
      const ok = read.outcome === 'read';
      const remove = make('button', {type: 'button', textContent: 'Remove'});
      remove.setAttribute('aria-label', `Remove ${file.name}`);
      remove.addEventListener('click', () => {
        page.files = page.files.filter((other) => other !== file);
        showFiles();
      });
      const said = make('pre', {textContent: readDescription(read)});
      if (!ok) said.className = 'problem';
      body.append(make('tr', {}, [
        make('th', {scope: 'row', textContent: file.name}),
        make('td', {textContent: ok ? `${read.rows} x ${read.columns}` : '-'}),
        make('td', {}, [said]),
        make('td', {}, [remove]),
      ]));
    }
    element('no-files').hidden = page.files.length > 0;
  }

  function watchDrops() {
    const zone = element('drop-zone');
    zone.addEventListener('dragover', (event) => {
      event.preventDefault();
      zone.classList.add('dragging');
    });
    zone.addEventListener('dragleave', () => zone.classList.remove('dragging'));
    zone.addEventListener('drop', (event) => {
      event.preventDefault();
      zone.classList.remove('dragging');
      addFiles(event.dataTransfer.files);
    });
    // A file dropped beside the zone is not opened in place of the page.
    window.addEventListener('dragover', (event) => event.preventDefault());
    window.addEventListener('drop', (event) => event.preventDefault());
  }

  // ---- The worker ----------------------------------------------------------

  // A worker of the library, batch.js and worker.js, from the page's own
  // text: a page opened from disk may not start a worker from a file.
  function startWorker() {
    const text = ['library', 'batch-source', 'worker-source'].map((id) => element(id).textContent).join('\n');
    const url = URL.createObjectURL(new Blob([text], {type: 'text/javascript'}));
    const worker = new Worker(url);
    URL.revokeObjectURL(url);
    worker.onmessage = (event) => workerSaid(event.data);
    worker.onerror = (event) => {
      event.preventDefault();
      workerFailed(event.message || 'the analysis stopped unexpectedly');
    };
    return worker;
  }

  // The worker itself failed (the library aborted): a fresh worker waits
  // for the next run.
  function workerFailed(message) {
    page.worker.terminate();
    page.worker = startWorker();
    if (page.run) stopRun('failed', message, `The run stopped: ${message}`);
  }

  // ---- A run ---------------------------------------------------------------

  function statusText(entry) {
    switch (entry.state) {
      case 'waiting': return 'waiting';
      case 'running': return 'running';
      case 'finished': return entry.result.status === 'analysed' ? 'finished' : entry.result.status.replace('_', ' ');
      case 'cancelled': return 'cancelled';
      case 'not-processed': return 'not processed';
      case 'failed': return 'failed';
      default: return entry.state;
    }
  }

  function showProgress(entry) {
    const run = page.run;
    const status = statusText(entry);
    entry.status.textContent = status;
    entry.status.className = 'status status-' + (entry.state === 'finished' && entry.result.status !== 'analysed' ? 'skipped' : entry.state);
    const total = run.simulations;
    if (total > 0) {
      entry.bar.max = total;
      entry.bar.value = entry.done;
    } else {
      entry.bar.max = 1;
      entry.bar.value = entry.state === 'finished' ? 1 : 0;
    }
    let detail = '';
    if (entry.state === 'running' && total > 0) {
      detail = `${entry.done} of ${total} simulations`;
      // From the first block measured on: the time of those done so far.
      if (entry.done > 0) detail += `, about ${formatSeconds(entry.elapsed / entry.done * (total - entry.done))} left`;
    } else if (entry.state === 'finished') {
      detail = `in ${formatSeconds(entry.elapsed)}`;
    }
    entry.detail.textContent = detail;
  }

  function startRun() {
    if (!readSettings()) return;
    if (page.files.length === 0) {
      element('run-status').textContent = 'Add a file first.';
      element('progress-section').hidden = false;
      return;
    }
    const settings = page.settings;
    if (settings.seed === null) {
      settings.seed = crypto.getRandomValues(new Uint32Array(1))[0];
      element('seed').value = String(settings.seed);
    }
    writeHash();
    const models = runModels(settings);
    const withNull = models.length > 0;
    const request = Object.assign({
      mode: settings.mode, order: settings.mode === 'N' && settings.order, simulations: withNull ? settings.simulations : 0,
      models, seed: settings.seed, seedPerFile: settings.seedPerFile,
      transpose: settings.transpose, header: settings.header, rowNames: settings.rowNames,
      date: isoLocalTime(new Date()),
    }, runMetrics(settings));
    const run = {
      mode: settings.mode,
      simulations: request.simulations,
      seed: settings.seed,
      headers: page.library.tableHeaders(request),
      entries: [],
      finishedAt: null,
    };
    page.run = run;
    for (const url of objectUrls.splice(0)) URL.revokeObjectURL(url);
    const list = element('progress-list');
    list.replaceChildren();
    element('results').replaceChildren();
    element('downloads').replaceChildren();
    for (const file of page.files) {
      const bar = make('progress', {max: 1, value: 0});
      bar.setAttribute('aria-label', `Progress of ${file.name}`);
      const entry = {
        file, state: 'waiting', done: 0, elapsed: 0, result: null, bar,
        status: make('span', {className: 'status'}), detail: make('span'),
      };
      list.append(make('li', {}, [make('strong', {textContent: file.name + ' '}), entry.status, ' ', bar, ' ', entry.detail]));
      run.entries.push(entry);
      showProgress(entry);
    }
    element('progress-section').hidden = false;
    element('results-section').hidden = false;
    element('run-status').textContent = `Running ${run.entries.length} file${run.entries.length === 1 ? '' : 's'}, seed ${run.seed}.`;
    element('run').disabled = true;
    element('cancel').disabled = false;
    if (!page.worker) page.worker = startWorker();
    page.worker.postMessage({files: page.files.map((file) => ({name: file.name, bytes: file.bytes})), settings: request});
  }

  function endRun(text) {
    element('run').disabled = false;
    element('cancel').disabled = true;
    element('run-status').textContent = text;
    showDownloads();
  }

  function workerSaid(message) {
    const run = page.run;
    if (message.type === 'done') {
      // Files after one that ended the batch are left waiting.
      const analysed = run.entries.filter((entry) => entry.state === 'finished' && entry.result.status === 'analysed');
      stopRun('not-processed', '', `Finished: ${analysed.length} of ${run.entries.length} files analysed.`);
      return;
    }
    const entry = run.entries[message.index];
    if (message.type === 'started') {
      entry.state = 'running';
    } else if (message.type === 'progress') {
      entry.done = message.done;
      entry.elapsed = message.elapsed;
    } else if (message.type === 'finished') {
      entry.state = 'finished';
      entry.result = message.result;
      entry.elapsed = message.elapsed;
      entry.done = run.simulations;
      showResult(entry);
    } else if (message.type === 'failed') {
      stopRun('failed', message.message, `The run stopped: ${message.message}`);
      return;
    }
    showProgress(entry);
  }

  // Ends the run before its end: the files finished stay, the running one
  // takes the state given (with detail beside it), and those after it are
  // not processed.
  function stopRun(state, detail, text) {
    for (const entry of page.run.entries) {
      if (entry.state === 'running') entry.state = state;
      else if (entry.state === 'waiting') entry.state = 'not-processed';
      showProgress(entry);
      if (entry.state === state && detail) entry.detail.textContent = detail;
    }
    endRun(text);
  }

  // Cancel: the worker ends at once, and a fresh one waits for the next run.
  function cancelRun() {
    if (!page.worker) return;
    page.worker.terminate();
    page.worker = startWorker();
    stopRun('cancelled', '', 'Cancelled: the files finished before are kept.');
  }

  // ---- Results -------------------------------------------------------------

  // A value of a statistic: the NODF's and the temperature's with two
  // decimals, as the console shows them, a further metric's (a double)
  // with six significant digits, as its result line gives it.
  function formatValue(statistic, value) {
    if (statistic.singlePrecision || value === null || value === undefined) return formatNumber(value, 2);
    return String(Number(value.toPrecision(6)));
  }

  // One section (tbody) per statistic: its observed value, and a row per
  // model that measures it.
  function statisticsTable(result) {
    const head = make('tr', {}, ['Statistic', 'Observed', 'Model', 'n', 'Mean', 'SD', 'SES', 'P (less)', 'P (greater)',
      'P (two-sided)', '2.5%', 'Median', '97.5%', 'P MC error', 'ESS', 'Lag-1']
      .map((text) => make('th', {scope: 'col', textContent: text})));
    const table = make('table', {}, [make('caption', {textContent: 'Observed values and the statistics of every null model'}),
      make('thead', {}, [head])]);
    const cell = (text) => make('td', {className: 'number', textContent: text});
    for (const statistic of result.statistics) {
      const body = make('tbody', {className: 'statistic'});
      body.dataset.statistic = statistic.name;
      const value = (number) => cell(formatValue(statistic, number));
      const name = statistic.note ? `${statistic.name} (NODFmax ${statistic.note})` : statistic.name;
      const models = statistic.models.length > 0 ? statistic.models : [null];
      models.forEach((model, index) => {
        const row = make('tr');
        row.append(index === 0 ? make('th', {scope: 'row', textContent: name}) : make('td'));
        row.append(index === 0 ? value(statistic.observed) : make('td'));
        if (model === null) {
          row.append(make('td', {textContent: result.fileSeed === null ? 'no null models' : 'no null values'}));
        } else {
          row.append(make('td', {textContent: model.model}), cell(String(model.n)), value(model.mean),
            value(model.sd), cell(formatNumber(model.ses, 2)), cell(formatP(model.pLess)),
            cell(formatP(model.pGreater)), cell(formatP(model.pTwoSided)), value(model.q025),
            value(model.q500), value(model.q975), cell(formatP(model.pMcse)),
            cell(formatNumber(model.ess, 0)), cell(formatNumber(model.lag1, 2)));
        }
        body.append(row);
      });
      table.append(body);
    }
    return make('div', {className: 'table-wrap'}, [table]);
  }

  function pictureBlob(picture) {
    return new Blob([picture.svg], {type: 'image/svg+xml'});
  }

  function showResult(entry) {
    const result = entry.result;
    const read = result.read;
    const box = make('article', {className: 'file-result'});
    box.append(make('h3', {textContent: entry.file.name}));
    const said = readDescription(read);
    if (said) box.append(make('pre', {className: result.status === 'analysed' ? '' : 'problem', textContent: said}));
    if (result.status !== 'analysed') {
      element('results').append(box);
      return;
    }
    if (result.fileSeed !== null) box.append(make('pre', {textContent: `Seed: ${result.fileSeed}`}));
    box.append(make('pre', {textContent: result.resultLine.trim()}));
    // What the console program says once a run of the metrics, at the
    // file where it first applies.
    if (result.notes) box.append(make('pre', {className: 'notes', textContent: result.notes.trim()}));
    // Its line of the classic summary file, below the header line it has
    // there, as the console program writes them: shown when the run had
    // the classic four or no null models, whose values the line holds.
    if (result.classicModels || result.fileSeed === null)
      box.append(make('p', {className: 'label', textContent: 'SYSTEMP.TXT'}),
        make('pre', {className: 'summary', textContent: result.summaryHeader + result.summaryLine}));
    box.append(statisticsTable(result));
    const pictures = make('div', {className: 'pictures'});
    for (const picture of result.pictures) {
      const blob = pictureBlob(picture);
      const image = make('img', {src: objectUrl(blob), alt: `${picture.name}: picture of ${entry.file.name}`});
      pictures.append(make('figure', {}, [image, make('figcaption', {}, [downloadLink(picture.name, blob)])]));
    }
    box.append(pictures);
    element('results').append(box);
  }

  // The result tables of the run's finished files, byte for byte as
  // --results writes them, and their pictures.
  function runFiles(run) {
    const finished = run.entries.filter((entry) => entry.state === 'finished' && entry.result.status === 'analysed');
    const tables = [['results', 'results'], ['rows', 'rows'], ['columns', 'columns'], ['nullValues', 'null_values']];
    const files = [];
    for (const [field, table] of tables) {
      if (field === 'nullValues' && run.simulations === 0) continue;
      const parts = [run.headers[field], ...finished.map((entry) => entry.result.tables[field])];
      const size = parts.reduce((sum, part) => sum + part.length, 0);
      const bytes = new Uint8Array(size);
      let at = 0;
      for (const part of parts) {
        bytes.set(part, at);
        at += part.length;
      }
      files.push({name: `BRAVOLIN_${run.mode}_${table}.csv`, bytes});
    }
    for (const entry of finished)
      for (const picture of entry.result.pictures) files.push({name: picture.name, bytes: picture.svg});
    return files;
  }

  function showDownloads() {
    const run = page.run;
    const box = element('downloads');
    box.replaceChildren();
    const files = runFiles(run);
    for (const file of files.filter((file) => file.name.endsWith('.csv')))
      box.append(downloadLink(file.name, new Blob([file.bytes], {type: 'text/csv'})));
    // The zip is made when asked for: it holds every table and picture.
    const zipName = `BRAVOLIN_${run.mode}_all.zip`;
    const zip = make('button', {type: 'button', textContent: zipName});
    zip.addEventListener('click', () => downloadLink(zipName, BravolinZip.storedZip(files, new Date())).click());
    box.append(zip);
  }

  // ---- Start ---------------------------------------------------------------

  function watchControls() {
    for (const id of ['mode-t', 'mode-n', 'order', 'simulations', 'seed', 'seed-per-file', 'transpose', 'header', 'row-names'])
      element(id).addEventListener('change', settingsChanged);
    element('file-input').addEventListener('change', (event) => {
      addFiles(event.target.files);
      event.target.value = '';
    });
    element('paste-add').addEventListener('click', () => {
      const text = element('paste-text').value;
      if (text.trim() === '') return;
      addFile('pasted.csv', new TextEncoder().encode(text));
      showFiles();
    });
    element('run').addEventListener('click', startRun);
    element('cancel').addEventListener('click', cancelRun);
    window.addEventListener('hashchange', takeHash);
    watchDrops();
  }

  buildMetricControls();
  buildModelControls();
  watchControls();
  takeHash();
  createBravolin().then((library) => {
    page.library = library;
    // The library's models are the page's: the address is read again for
    // one the page's table did not list.
    if (useLibraryModels(library.libraryInfo().models)) {
      buildModelControls();
      takeHash();
    }
    page.worker = startWorker();
    readFiles();
    element('run').disabled = false;
    // The page's load, the library's compilation included, as the
    // browser's performance timeline shows it.
    performance.mark('bravolin-ready');
  });
})();
