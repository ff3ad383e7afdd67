// A run's batch of files through the library, one after another, as the
// console program's batch runs them: in the order given (the batch's), one
// generator through the batch, carried from file to file by its state
// (with a seed per file, the library seeds each file itself), and a file
// that ends mode N's batch ending it. It says when a file starts, how many
// of its simulations are done (at most every 50 ms, and at the last), and
// what each file gave, with the buffers its results hold.
(function (exports) {
  'use strict';

  const PROGRESS_INTERVAL_MS = 50;

  function buffersOf(result) {
    const buffers = result.pictures.map((picture) => picture.svg.buffer);
    for (const table of Object.values(result.tables)) buffers.push(table.buffer);
    return buffers;
  }

  // files: [{name, bytes}]; settings: the glue's request without the
  // generator's state; say(message, buffers). The files are one run of the
  // library (its PageRun), which keeps what a run keeps between files.
  function runBatch(library, files, settings, say) {
    const run = new library.PageRun();
    try {
      if (runFiles(run, files, settings, say)) say({type: 'done'}, []);
    } finally {
      run.delete();
    }
  }

  // Whether the batch ran to its end, rather than failing.
  function runFiles(run, files, settings, say) {
    let generatorState = settings.seed;
    for (let index = 0; index < files.length; index++) {
      const file = files[index];
      const started = performance.now();
      let reported = started;
      say({type: 'started', index}, []);
      const request = Object.assign({}, settings, {generatorState});
      const result = run.analyseFile(file.name, file.bytes, request, (done) => {
        const now = performance.now();
        if (done === settings.simulations || now - reported >= PROGRESS_INTERVAL_MS) {
          reported = now;
          say({type: 'progress', index, done, elapsed: now - started}, []);
        }
      });
      if (result.error !== undefined) {
        say({type: 'failed', index, message: result.error}, []);
        return false;
      }
      generatorState = result.generatorState;
      say({type: 'finished', index, result, elapsed: performance.now() - started}, buffersOf(result));
      if (result.status === 'ends_batch') break;
    }
    return true;
  }

  Object.assign(exports, {runBatch});
})(typeof module === 'object' ? module.exports : (self.BravolinBatch = {}));
